#include "apps/lumo/shell/HeldExpressions.h"

#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/dialogs/ExpressionKeysDlg.h"
#include "apps/lumo/document/KnobEdits.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/shell/ShowWnd.h"
#include "core/File.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QStatusBar>
#include <QTest>
#include <functional>
#include <optional>

namespace vel::lumo::test {
namespace {

constexpr float Third = 7.0f / 27.0f;
constexpr float TwoThirds = 20.0f / 27.0f;

QKeyEvent Key(QEvent::Type type, int key, bool repeated = false) {
    return QKeyEvent(type, key, Qt::NoModifier, QString(), repeated);
}

// The example's knobs under the default keys: 3 Mouth OOO, 6 Eyes Blink,
// 7 Mouth; 1 (a wink the example lacks) holds nothing.
class HeldExpressionsTest : public ::testing::Test {
protected:
    void SetUp() override {
        core::FileError error;
        document_ = LumoDocument::Open(LUMO_EXAMPLE, error);
        ASSERT_TRUE(document_);
        held_.SetDocument(document_.get());
    }

    bool Send(QEvent::Type type, int key, bool repeated = false) {
        const QKeyEvent event = Key(type, key, repeated);
        return held_.OnKey(event);
    }
    float Base(const KnobKey& key) const { return document_->GetKnobValues(frame_).at(key); }
    // Where a knob stands with the far value weighted in.
    float Towards(const KnobKey& key, float far, float weight) const {
        return Base(key) + weight * (far - Base(key));
    }

    std::unique_ptr<LumoDocument> document_;
    uint32_t frame_ = 20;
    LiveKnobs knobs_;
    HeldExpressions held_{knobs_, [this] {
                              return frame_;
                          }};
};

TEST_F(HeldExpressionsTest, AHeldKeyEasesToTheFarValueAndBackFrameByFrame) {
    ASSERT_TRUE(Send(QEvent::KeyPress, Qt::Key_6));
    EXPECT_FLOAT_EQ(*knobs_.Get(EyeBlinkKey), Towards(EyeBlinkKey, 1.0f, Third));
    held_.Step();
    EXPECT_FLOAT_EQ(*knobs_.Get(EyeBlinkKey), Towards(EyeBlinkKey, 1.0f, TwoThirds));
    held_.Step();
    EXPECT_FLOAT_EQ(*knobs_.Get(EyeBlinkKey), 1.0f);
    EXPECT_FALSE(held_.IsMoving());

    // The window system repeats a held key as repeated releases and presses.
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(Send(QEvent::KeyRelease, Qt::Key_6, true));
        EXPECT_TRUE(Send(QEvent::KeyPress, Qt::Key_6, true));
    }
    EXPECT_FLOAT_EQ(*knobs_.Get(EyeBlinkKey), 1.0f);
    EXPECT_FALSE(held_.IsMoving());

    // Back from the value the timeline has now.
    frame_ = 40;
    ASSERT_TRUE(Send(QEvent::KeyRelease, Qt::Key_6));
    EXPECT_FLOAT_EQ(*knobs_.Get(EyeBlinkKey), Towards(EyeBlinkKey, 1.0f, TwoThirds));
    held_.Step();
    EXPECT_FLOAT_EQ(*knobs_.Get(EyeBlinkKey), Towards(EyeBlinkKey, 1.0f, Third));
    held_.Step();
    EXPECT_FALSE(knobs_.Get(EyeBlinkKey)) << "the timeline has the knob back";
    EXPECT_TRUE(knobs_.IsEmpty());
    EXPECT_FALSE(held_.IsMoving());
}

TEST_F(HeldExpressionsTest, KeysMoveTheirOwnKnobsAndOnlyTheirs) {
    ASSERT_TRUE(Send(QEvent::KeyPress, Qt::Key_3));
    held_.Step();
    ASSERT_TRUE(Send(QEvent::KeyPress, Qt::Key_7));
    EXPECT_FLOAT_EQ(*knobs_.Get(MouthRoundKey), Towards(MouthRoundKey, 1.0f, TwoThirds));
    EXPECT_FLOAT_EQ(*knobs_.Get(MouthKey), Towards(MouthKey, 1.0f, Third));
    EXPECT_FALSE(knobs_.Get(EyeBlinkKey));

    // Other keys, and digits with Ctrl, are not expression keys.
    EXPECT_FALSE(Send(QEvent::KeyPress, Qt::Key_0));
    const QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_6, Qt::ControlModifier);
    EXPECT_FALSE(held_.OnKey(ctrl));
    EXPECT_FALSE(knobs_.Get(EyeBlinkKey));

    // Letting go of all, as when the window loses the keyboard, eases back.
    held_.ReleaseAll();
    held_.Step();
    held_.Step();
    held_.Step();
    EXPECT_TRUE(knobs_.IsEmpty());
}

TEST_F(HeldExpressionsTest, AKeyWithoutAKnobOrWhoseKnobWentDoesNothing) {
    ASSERT_TRUE(Send(QEvent::KeyPress, Qt::Key_1));
    EXPECT_TRUE(knobs_.IsEmpty());
    EXPECT_FALSE(held_.IsMoving());

    ExpressionKeys keys;
    keys[0] = MouthRoundKey;
    keys[6] = MouthKey;
    document_->SetExpressionKeys(keys);
    ASSERT_TRUE(DeleteKnob(*document_, MouthRoundKey));
    ASSERT_TRUE(Send(QEvent::KeyPress, Qt::Key_1));
    EXPECT_TRUE(knobs_.IsEmpty());

    // A knob deleted while its key is held gives its place back.
    ASSERT_TRUE(document_->Undo());
    ASSERT_TRUE(Send(QEvent::KeyRelease, Qt::Key_1));
    ASSERT_TRUE(Send(QEvent::KeyPress, Qt::Key_1));
    ASSERT_TRUE(knobs_.Get(MouthRoundKey));
    ASSERT_TRUE(DeleteKnob(*document_, MouthRoundKey));
    held_.Step();
    EXPECT_TRUE(knobs_.IsEmpty());

    // Another document takes every knob back at once.
    ASSERT_TRUE(Send(QEvent::KeyPress, Qt::Key_7));
    ASSERT_FALSE(knobs_.IsEmpty());
    held_.SetDocument(nullptr);
    EXPECT_TRUE(knobs_.IsEmpty());
    EXPECT_FALSE(Send(QEvent::KeyPress, Qt::Key_7));
}

class HeldExpressionsWindowTest : public ShellTest {
protected:
    void SetUp() override { ASSERT_TRUE(window->OpenFile(LUMO_EXAMPLE)); }
};

// The show and the editor's preview both hold the keys, over a timeline
// that goes on playing.
TEST_F(HeldExpressionsWindowTest, TheShowAndThePreviewHoldTheKeys) {
    window->OnCommand(IdShowOnProjector);
    ShowWnd& show = *window->Show();
    for (int i = 0; i < 10; ++i) {
        show.PlaybackStep();
    }
    const QImage before = show.Picture();
    QTest::keyPress(&show, Qt::Key_7);
    ASSERT_TRUE(window->GetLiveKnobs().Get(MouthKey));
    EXPECT_NE(show.Picture(), before);
    show.PlaybackStep();
    EXPECT_TRUE(show.IsPlaying());
    QTest::keyRelease(&show, Qt::Key_7);
    QTest::keyClick(&show, Qt::Key_Escape);
    QCoreApplication::processEvents();

    window->show();
    window->Preview()->setFocus();
    QTest::keyPress(window->Preview(), Qt::Key_6);
    EXPECT_TRUE(window->GetLiveKnobs().Get(EyeBlinkKey));
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QStringLiteral("Key 6 holds Eyes Blink closed while pressed."));
    QTest::keyRelease(window->Preview(), Qt::Key_6);
    QTest::keyClick(window->Preview(), Qt::Key_1);
    EXPECT_EQ(window->statusBar()->currentMessage(),
              QStringLiteral("Key 1 holds no knob: Animate > Expression Keys gives it one."));
}

// As the user picks an item, which the dialog hears as an activation.
void Choose(QComboBox& list, int index) {
    list.setCurrentIndex(index);
    emit list.activated(index);
}

// Answers the dialog as a user who gives key 1 the mouth and takes Eyes
// Blink off key 6, then presses OK.
class ChoosingRunner : public wingui::DialogRunner {
public:
    int Run(QDialog& dialog) override {
        auto& keys = dynamic_cast<ExpressionKeysDlg&>(dialog);
        const auto list = [&](std::uint32_t key) {
            return static_cast<QComboBox*>(keys.Control(ExpressionKeysDlg::IdFirstKey + key - 1));
        };
        keys.show();
        shownFor6 = list(6)->currentText().toStdString();
        Choose(*list(1), list(1)->findText(QStringLiteral("Mouth (mouth)")));
        Choose(*list(6), 0);
        keys.accept();
        return keys.result();
    }
    std::string shownFor6;

private:
    testing::InstalledRunner<DialogRunner> installed_{this};
};

TEST_F(HeldExpressionsWindowTest, TheDialogsChoiceIsOneUndoableStep) {
    LumoDocument& document = *window->GetDocument();
    const ExpressionKeys defaults = document.GetExpressionKeys();
    ChoosingRunner runner;
    window->OnCommand(IdExpressionKeys);
    EXPECT_EQ(runner.shownFor6, "Eyes Blink (eyeblink)");
    EXPECT_EQ(document.GetUndoName(), "Expression Keys");
    ExpressionKeys expected = defaults;
    expected[0] = MouthKey;
    expected[5] = std::nullopt;
    EXPECT_EQ(document.GetExpressionKeys(), expected);
    window->OnCommand(IdUndo);
    EXPECT_EQ(document.GetExpressionKeys(), defaults);
    EXPECT_FALSE(document.GetOwnExpressionKeys());
}

} // namespace
} // namespace vel::lumo::test
