#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/dialogs/AnimateDlg.h"
#include "apps/lumo/dialogs/WorkProgressDlg.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/shell/AnimateMenuCommand.h"
#include "core/UserFailure.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/InstalledRunner.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QTest>
#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace vel::lumo::test {
namespace {

const KnobKey Blink{"eyeblink"};

// A document of 300 frames whose voice is a loud buzz, with a mouth shape
// posed on "mouth" and "mOOO" only.
std::unique_ptr<LumoDocument> Talking(bool withVoice) {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    model.InsertShape(0, Shape{Shape::CandleColor,
                               "Mouth",
                               {Pose{KnobKey(), {{0, 0}, {1, 0}, {0, 1}}},
                                Pose{MouthKey, {{0, 0}, {1, 0}, {0, 2}}},
                                Pose{MouthRoundKey, {{0, 0}, {0.5f, 0}, {0, 1}}}}});
    document->SynchroniseTimeline();
    document->GetTimeline().SetAnchor(CandleLightnessKey, 299, 0.5f);
    if (withVoice) {
        std::vector<std::uint8_t> bytes(16000 * 10 * 2);
        for (std::size_t i = 0; i < bytes.size() / 2; ++i) {
            const auto value = static_cast<std::int16_t>((i / 40) % 2 == 0 ? 9000 : -9000);
            std::memcpy(&bytes[i * 2], &value, 2);
        }
        AudioClip clip(AudioHeader::Make(16000, SampleFormat::S16, 1), std::move(bytes));
        document->SetAudio(clip);
    }
    return document;
}

std::string StatusText(AnimateDlg& dialog) {
    return static_cast<QLabel*>(dialog.Control(AnimateDlg::IdStatus))->text().toStdString();
}

// Answers the progress dialog the way a user who presses Cancel at once
// would, and closes a message after noting what it says.
class CancellingRunner : public wingui::DialogRunner {
public:
    int Run(QDialog& dialog) override {
        titles.push_back(dialog.windowTitle().toStdString());
        if (const auto* box = dynamic_cast<QMessageBox*>(&dialog)) {
            messages.push_back(box->text().toStdString());
        }
        dialog.reject();
        return QDialog::Rejected;
    }
    std::vector<std::string> titles;
    std::vector<std::string> messages;

private:
    testing::InstalledRunner<DialogRunner> installed_{this};
};

class AnimateMenuTest : public ShellTest {};

TEST_F(AnimateMenuTest, TheStatusLineWarnsRefusesAndSaysWhatWillHappen) {
    const auto silent = Talking(false);
    LipSyncDlg noVoice(nullptr, *silent);
    noVoice.show();
    EXPECT_EQ(noVoice.endFrame.value, silent->GetFrameCount());
    EXPECT_NE(StatusText(noVoice).find("no voice to follow"), std::string::npos);
    EXPECT_FALSE(noVoice.OkButton()->isEnabled());

    const auto talking = Talking(true);
    LipSyncDlg lipSync(nullptr, *talking);
    lipSync.show();
    EXPECT_EQ(StatusText(lipSync),
              "No shape has a pose on Mouth EEE yet: its keys will show once one does.");
    EXPECT_TRUE(lipSync.OkButton()->isEnabled());

    FlickerDlg flicker(nullptr, *talking);
    flicker.show();
    EXPECT_EQ(StatusText(flicker).rfind("Keys Candle Lightness from 00:00;00 up to ", 0), 0u);
    // An empty range is refused, and so is a setting out of bounds.
    flicker.firstFrame.value = flicker.endFrame.value;
    auto* speed = static_cast<QLineEdit*>(flicker.Control(FlickerDlg::IdSpeed));
    speed->setText("50");
    EXPECT_FALSE(flicker.OkButton()->isEnabled());
    EXPECT_EQ(StatusText(flicker), "The frame range must contain at least one frame.");
    flicker.firstFrame.value = 0;
    speed->setText("40");
    EXPECT_EQ(StatusText(flicker), "The speed must lie between 0.1 and 10.");
    EXPECT_FALSE(flicker.OkButton()->isEnabled());
}

TEST_F(AnimateMenuTest, LipSyncRefusesASpokenTextWithoutWordsAndWarnsOfALongWait) {
    // A voice of one sample a second lasts the 5000 seconds of its samples.
    auto document = Talking(false);
    AudioClip slow(AudioHeader::Make(1, SampleFormat::S16, 1), std::vector<std::uint8_t>(10000, 9));
    document->SetAudio(slow);
    LipSyncDlg dialog(nullptr, *document);
    dialog.show();
    EXPECT_EQ(StatusText(dialog), "Lip sync of 83 minutes of voice takes about 10 minutes: choose "
                                  "a shorter range to animate a part of it sooner.");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    auto* text = static_cast<QLineEdit*>(dialog.Control(LipSyncDlg::IdTranscript));
    text->setText("1, 2, 3!");
    EXPECT_EQ(StatusText(dialog), "The spoken text holds no word: write the words the voice "
                                  "says, or leave it empty.");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    // A part of it is soon done.
    dialog.endFrame.value = 3000;
    text->setText("One, two, three!");
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(StatusText(dialog).find("takes about"), std::string::npos) << StatusText(dialog);

    // Any language reads the sound alone: quickly, so the whole voice needs
    // no warning, and without the spoken text, which only English reads, so
    // a text left in the field neither counts nor blocks OK.
    dialog.endFrame.value = document->GetFrameCount();
    text->setText("1, 2, 3!");
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
    auto* language = static_cast<QComboBox*>(dialog.Control(LipSyncDlg::IdLanguage));
    ASSERT_EQ(language->count(), 2);
    EXPECT_EQ(language->currentText().toStdString(), "English (recognise the phonemes)");
    language->setCurrentIndex(1);
    emit language->activated(1);
    EXPECT_EQ(dialog.language.value, "Any language (from the sound)");
    EXPECT_FALSE(text->isEnabled());
    EXPECT_NE(text->placeholderText().toStdString().find("only with English"), std::string::npos);
    EXPECT_TRUE(dialog.OkButton()->isEnabled());
    EXPECT_EQ(StatusText(dialog).find("takes about"), std::string::npos) << StatusText(dialog);
    // Back to English, the text is read again.
    language->setCurrentIndex(0);
    emit language->activated(0);
    EXPECT_TRUE(text->isEnabled());
    EXPECT_FALSE(dialog.OkButton()->isEnabled());
}

TEST_F(AnimateMenuTest, ACancelledRunChangesNothing) {
    const auto document = Talking(true);
    const KnobTimeline before = document->GetTimeline();
    LipSyncDlg dialog(nullptr, *document);
    CancellingRunner cancel;
    EXPECT_EQ(RunAnimation(nullptr, *document, dialog, std::chrono::milliseconds(0)), "");
    EXPECT_EQ(cancel.titles, std::vector<std::string>{"Lip Sync from Audio"});
    EXPECT_EQ(document->GetUndoCount(), 0u);
    EXPECT_FALSE(document->GetModel().HasKnob(MouthKey));
    EXPECT_EQ(document->GetTimeline(), before);
}

// Blinks whose making throws what it is given.
class FailingBlinksDlg : public BlinksDlg {
public:
    FailingBlinksDlg(const LumoDocument& document, std::exception_ptr failure)
        : BlinksDlg(nullptr, document), failure_(std::move(failure)) {}

    std::unique_ptr<KeyGenerator> MakeGenerator() const override {
        class Failing : public KeyGenerator {
        public:
            explicit Failing(std::exception_ptr failure) : failure_(std::move(failure)) {}
            std::string Name() const override { return "Add Blinks"; }
            std::vector<KnobKey> Keys() const override { return {Blink}; }
            std::optional<Animation> Generate(const AnimateInput&,
                                              const AnimateProgress&) const override {
                std::rethrow_exception(failure_);
            }

        private:
            std::exception_ptr failure_;
        };
        return std::make_unique<Failing>(failure_);
    }

private:
    std::exception_ptr failure_;
};

TEST(AnimateDialogs, AFailedRunSaysWhyInTheUsersWordsAndChangesNothing) {
    const auto document = Talking(false);
    const std::vector<std::pair<std::exception_ptr, std::string>> failures{
        {std::make_exception_ptr(core::UserFailure("the sound could not be analysed",
                                                   "Could not set up the spectrum transform.")),
         "The sound could not be analysed."},
        {std::make_exception_ptr(std::bad_alloc()), "There is not enough memory."},
        {std::make_exception_ptr(std::out_of_range("vector::_M_range_check")),
         "An internal error stopped the work."}};
    for (const auto& [failure, reason] : failures) {
        FailingBlinksDlg dialog(*document, failure);
        CancellingRunner runner;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(RunAnimation(nullptr, *document, dialog, std::chrono::milliseconds(0)), "");
        const std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(runner.messages,
                  std::vector<std::string>{"Sorry, the keys could not be made.\n\n" + reason});
        EXPECT_EQ(runner.titles.back(), "Vellumar Gourdglowlight");
        // What the program met inside goes to standard error only.
        EXPECT_EQ(said.find("spectrum") != std::string::npos,
                  reason == "The sound could not be analysed.");
        EXPECT_EQ(said.find("_M_range_check") != std::string::npos,
                  reason == "An internal error stopped the work.");
        EXPECT_EQ(document->GetUndoCount(), 0u);
    }
}

// A blink may land outside the part of the timeline in view.
TEST_F(AnimateMenuTest, AnAnimationShowsTheFirstRowAndKeyItChanged) {
    window->SetDocument(Talking(false));
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    TimelineWnd* timeline = window->Timeline();
    const TimelineGeometry& geometry = timeline->Geometry();
    window->SetFrame(300);
    timeline->VerticalBar()->setValue(timeline->VerticalBar()->maximum());
    ASSERT_LT(geometry.FrameX(0), 0.0f);

    dialogs.answers = {QDialog::Accepted, QDialog::Accepted};
    ASSERT_EQ(window->OnCommand(IdAddBlinks), 1);
    const std::vector<Knob>& rows = timeline->Rows();
    const auto row = static_cast<std::size_t>(
        std::find_if(rows.begin(), rows.end(), [](const Knob& knob) { return knob.key == Blink; }) -
        rows.begin());
    ASSERT_LT(row, rows.size());
    EXPECT_GE(geometry.RowTop(row), geometry.RowsTop());
    EXPECT_LE(geometry.RowTop(row) + geometry.RowHeight(), geometry.ViewHeight());
    // The blinks' first key sits on the range's first frame.
    EXPECT_GE(geometry.FrameX(0), 0.0f);
    EXPECT_LT(geometry.FrameX(0), geometry.ViewWidth());
}

TEST_F(AnimateMenuTest, EachAnimateCommandIsOneUndoableStep) {
    window->SetDocument(Talking(true));
    LumoDocument& document = *window->GetDocument();
    const KnobTimeline before = document.GetTimeline();
    const std::vector<Knob> knobs = document.GetKnobs();

    // The dialog and, should the work take long, its progress are both answered OK.
    dialogs.answers = {QDialog::Accepted, QDialog::Accepted};
    EXPECT_EQ(window->OnCommand(IdLipSync), 1);
    EXPECT_EQ(document.GetUndoCount(), 1u);
    EXPECT_TRUE(document.GetModel().HasKnob(MouthWideKey));
    EXPECT_GT(document.GetTimeline().FindTrack(MouthKey)->GetAnchors().size(), 3u);
    const std::string said = window->statusBar()->currentMessage().toStdString();
    EXPECT_EQ(said.rfind("Lip sync from ", 0), 0u) << said;
    EXPECT_NE(
        said.find(". No shape has a pose on Mouth EEE yet: its keys will show once one does."),
        std::string::npos)
        << said;

    dialogs.answers = {QDialog::Accepted, QDialog::Accepted};
    EXPECT_EQ(window->OnCommand(IdAddBlinks), 1);
    EXPECT_TRUE(document.GetModel().HasKnob(Blink));
    dialogs.answers = {QDialog::Accepted, QDialog::Accepted};
    EXPECT_EQ(window->OnCommand(IdCandleFlicker), 1);
    EXPECT_EQ(document.GetUndoCount(), 3u);

    // A cancelled dialog does nothing at all.
    dialogs.answers = {QDialog::Rejected};
    EXPECT_EQ(window->OnCommand(IdCandleFlicker), 0);
    EXPECT_EQ(document.GetUndoCount(), 3u);

    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(window->OnCommand(IdUndo), 0);
    }
    EXPECT_EQ(document.GetTimeline().GetTracks(), before.GetTracks());
    EXPECT_EQ(document.GetKnobs(), knobs);
}

} // namespace
} // namespace vel::lumo::test
