#include "apps/lumo/panes/TimelineWnd.h"

#include "apps/lumo/dialogs/NewKnobDlg.h"
#include "apps/lumo/document/AnchorCommands.h"
#include "apps/lumo/document/KnobCommands.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/PoseEdits.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/panes/CommandIds.h"
#include "tests/apps/lumo/panes/RightClick.h"
#include "tests/support/InstalledRunner.h"
#include "tests/support/PaneTestHost.h"
#include "tests/support/ScopedLocale.h"
#include "wingui/DialogRunner.h"
#include "wingui/InplaceEditBox.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

const KnobKey Saturation("cansat"); // row 1, "pale" 0 to "vivid" 1

AudioClip Tone(std::uint32_t rate, std::uint32_t channels, std::uint32_t frames) {
    const AudioHeader header = AudioHeader::Make(rate, SampleFormat::S16, channels);
    std::vector<std::uint8_t> samples(frames * header.bytesPerFrame);
    for (std::uint32_t i = 0; i < frames * channels; ++i) {
        const auto sample = static_cast<std::int16_t>(16000 * std::sin(i * 0.05));
        std::memcpy(samples.data() + 2 * i, &sample, 2);
    }
    return AudioClip(header, std::move(samples));
}

class TimelineWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(800, 640);
        pane = std::make_unique<TimelineWnd>(&window, &host);
        host.timeline = pane.get();
        pane->setGeometry(0, 0, 800, 600);
        other = new QLineEdit(&window);
        other->setGeometry(0, 605, 800, 30);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
        pane->setFocus();
        pane->SetDocument(document.get());
    }

    // A right click as the window system delivers it; the menu answers with
    // the named item. Keeps what the menu offered.
    void RightClick(QPoint p, const QString& pick) {
        test::ChoosingMenuRunner menu(pick);
        test::RightClickThroughWindow(pane.get(), p);
        EXPECT_EQ(menu.shown, 1);
        offered = menu.items;
        disabled = menu.disabled;
    }

    const TimelineGeometry& G() const { return pane->Geometry(); }
    QPoint At(std::size_t row, std::uint32_t frame, float value) const {
        const Knob& knob = pane->Rows()[row];
        return QPoint(static_cast<int>(std::lround(G().FrameX(frame))),
                      static_cast<int>(std::lround(G().ValueY(knob, row, value))));
    }
    QPoint OnRuler(int x) const { return QPoint(x, static_cast<int>(G().RulerTop()) + 4); }
    const std::vector<Anchor>& Anchors() const {
        return document->GetTimeline().FindTrack(Saturation)->GetAnchors();
    }
    void Add(std::uint32_t frame, float value) {
        ASSERT_TRUE(document->Execute(InsertAnchorCmd(document.get(), Saturation, frame, value)));
    }
    QImage Picture() const { return pane->grab().toImage(); }
    // A double-click as the window system delivers it to a widget: press,
    // release, double-click, release. Answers the edit it opened, if any.
    wingui::InplaceEditBox* DoubleClick(QPoint p) {
        QTest::mouseClick(pane.get(), Qt::LeftButton, {}, p);
        QTest::mouseDClick(pane.get(), Qt::LeftButton, {}, p);
        QTest::mouseRelease(pane.get(), Qt::LeftButton, {}, p);
        auto* box = pane->findChild<wingui::InplaceEditBox*>();
        return box && box->isVisible() ? box : nullptr;
    }
    // Types the text over the edit's selected value and ends with the key.
    static void Type(wingui::InplaceEditBox* box, const QString& text, Qt::Key end) {
        QTest::keyClicks(box, text);
        QTest::keyClick(box, end);
    }
    static std::uint32_t Rgb(const QImage& image, float x, float y) {
        return image.pixel(static_cast<int>(x), static_cast<int>(y)) & 0xFFFFFF;
    }

    std::unique_ptr<LumoDocument> document = LumoDocument::New();
    test::PaneTestHost host;
    QWidget window;
    std::unique_ptr<TimelineWnd> pane;
    QLineEdit* other = nullptr;
    QStringList offered;
    QStringList disabled;
};

TEST_F(TimelineWndTest, ClicksOnTheRulerPickTheNearestFrameTickAndNothingLeftOfFrameZero) {
    ASSERT_EQ(G().frameWidth, 16.0f);
    ASSERT_EQ(G().hScroll, -16.0);
    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, OnRuler(25));
    EXPECT_EQ(pane->GetFrame(), 1u); // floor(9 / 16 + 0.5)
    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, OnRuler(7));
    EXPECT_EQ(pane->GetFrame(), 0u); // left of frame 0

    // Dragging along the ruler follows the mouse; Escape puts the cursor back.
    QTest::mousePress(pane.get(), Qt::LeftButton, {}, OnRuler(16 + 3 * 16));
    QTest::mouseMove(pane.get(), OnRuler(16 + 9 * 16));
    EXPECT_EQ(pane->GetFrame(), 9u);
    QTest::keyClick(pane.get(), Qt::Key_Escape);
    EXPECT_EQ(pane->GetFrame(), 0u);
    QTest::mouseRelease(pane.get(), Qt::LeftButton, {}, OnRuler(16 + 9 * 16));
    EXPECT_EQ(document->GetUndoCount(), 0u);
}

TEST_F(TimelineWndTest, ZoomStepsArePowersWithinLimitsAndKeepTheCursorInPlace) {
    host.RequestFrame(30);
    const float cursorX = G().FrameX(30);
    for (float expected : {21.11f, 28.64f, 40.06f, 48.0f, 48.0f}) {
        QTest::keyClick(pane.get(), Qt::Key_Plus, Qt::ControlModifier);
        EXPECT_NEAR(G().frameWidth, expected, 0.01f);
        EXPECT_NEAR(G().FrameX(30), cursorX, 0.01f);
    }
    QTest::keyClick(pane.get(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(G().frameWidth, std::max(G().vBarWidth, TimelineGeometry::MinFrameWidth));
}

TEST_F(TimelineWndTest, MinusZoomsOutWithoutControlWhilePlusAndZeroNeedIt) {
    for (float expected : {12.13f, 9.45f}) {
        QTest::keyClick(pane.get(), Qt::Key_Minus);
        EXPECT_NEAR(G().frameWidth, expected, 0.01f);
    }
    QTest::keyClick(pane.get(), Qt::Key_Plus);
    QTest::keyClick(pane.get(), Qt::Key_0);
    EXPECT_NEAR(G().frameWidth, 9.45f, 0.01f);
    // Ctrl with the wheel zooms in whole notches; a fine half notch waits.
    QWheelEvent half(QPointF(100, 300), pane->mapToGlobal(QPointF(100, 300)), {}, QPoint(0, 60),
                     Qt::NoButton, Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane.get(), &half);
    EXPECT_NEAR(G().frameWidth, 9.45f, 0.01f);
    QApplication::sendEvent(pane.get(), &half);
    EXPECT_NEAR(G().frameWidth, 11.83f, 0.01f); // powers do not undo each other
}

TEST_F(TimelineWndTest, DraggingANewAnchorSetsItOnReleaseAsOneUndoableStepWithTheCursor) {
    QTest::mousePress(pane.get(), Qt::LeftButton, {}, At(1, 5, 0.25f));
    EXPECT_TRUE(document->GetTimeline().HasAnchor(Saturation, 5)); // live
    EXPECT_EQ(pane->GetFrame(), 5u);
    QTest::mouseMove(pane.get(), At(1, 8, 0.75f));
    EXPECT_TRUE(document->GetTimeline().HasAnchor(Saturation, 8));
    EXPECT_FALSE(document->GetTimeline().HasAnchor(Saturation, 5));
    EXPECT_EQ(pane->GetFrame(), 5u); // the cursor does not follow
    QTest::mouseRelease(pane.get(), Qt::LeftButton, {}, At(1, 8, 0.75f));

    ASSERT_EQ(Anchors().size(), 2u);
    EXPECT_EQ(Anchors()[1].frame, 8u);
    EXPECT_NEAR(Anchors()[1].value, 0.75f, 0.02f);
    EXPECT_EQ(pane->GetFrame(), 8u);
    EXPECT_EQ(document->GetUndoCount(), 1u);

    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(Anchors().size(), 1u);
    EXPECT_EQ(pane->GetFrame(), 0u);
    ASSERT_TRUE(document->Redo());
    EXPECT_EQ(Anchors().size(), 2u);
    EXPECT_EQ(pane->GetFrame(), 8u);
}

TEST_F(TimelineWndTest, MovedAnchorStopsShortOfOthersAndUndoBringsAnchorAndCursorBack) {
    Add(10, 0.2f);
    Add(20, 0.9f);
    host.RequestFrame(3);
    QTest::mousePress(pane.get(), Qt::LeftButton, {}, At(1, 10, 0.2f));
    QTest::mouseMove(pane.get(), At(1, 14, 0.4f));
    QTest::mouseMove(pane.get(), At(1, 20, 0.6f)); // taken: the frame stays, the value follows
    QTest::mouseRelease(pane.get(), Qt::LeftButton, {}, At(1, 20, 0.6f));
    ASSERT_EQ(Anchors().size(), 3u);
    EXPECT_EQ(Anchors()[1].frame, 14u);
    EXPECT_NEAR(Anchors()[1].value, 0.6f, 0.02f);
    EXPECT_EQ(Anchors()[2], (Anchor{20, 0.9f}));
    EXPECT_EQ(pane->GetFrame(), 14u);

    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(Anchors()[1], (Anchor{10, 0.2f}));
    EXPECT_EQ(pane->GetFrame(), 3u);
}

TEST_F(TimelineWndTest, FrameZeroAnchorOnlyChangesItsValueAndCannotBeDeleted) {
    QTest::mousePress(pane.get(), Qt::LeftButton, {}, At(1, 0, 1.0f));
    QTest::mouseMove(pane.get(), At(1, 6, 0.5f));
    QTest::mouseRelease(pane.get(), Qt::LeftButton, {}, At(1, 6, 0.5f));
    ASSERT_EQ(Anchors().size(), 1u);
    EXPECT_EQ(Anchors()[0].frame, 0u);
    EXPECT_NEAR(Anchors()[0].value, 0.5f, 0.02f);

    const std::size_t undo = document->GetUndoCount();
    RightClick(At(1, 0, 0.5f), "Delete Spider");
    EXPECT_EQ(disabled, QStringList{"Delete Spider"});
    pane->OnCommand(IdDeleteSpider);
    EXPECT_EQ(document->GetUndoCount(), undo);
    EXPECT_EQ(Anchors().size(), 1u);
}

TEST_F(TimelineWndTest, EscapeDuringANewAnchorDragRemovesItAndReturnsTheCursor) {
    host.RequestFrame(2);
    QTest::mousePress(pane.get(), Qt::LeftButton, {}, At(1, 7, 0.5f));
    EXPECT_EQ(pane->GetFrame(), 7u);
    QTest::mouseMove(pane.get(), At(1, 9, 0.6f));
    QTest::keyClick(pane.get(), Qt::Key_Escape);
    EXPECT_EQ(Anchors().size(), 1u);
    EXPECT_EQ(pane->GetFrame(), 2u);
    QTest::mouseRelease(pane.get(), Qt::LeftButton, {}, At(1, 9, 0.6f));
    EXPECT_EQ(document->GetUndoCount(), 0u);
    EXPECT_EQ(Anchors().size(), 1u);
}

// The first click of the double-click moves the spider to the mouse, as a
// click does; the edit takes that back and starts from the spider's value.
TEST_F(TimelineWndTest, ASpiderValueTypedAfterADoubleClickIsOneUndoableStepWithinTheRange) {
    Add(10, 0.2f);
    host.RequestFrame(3);
    wingui::InplaceEditBox* box = DoubleClick(At(1, 10, 0.3f));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "0.2");
    EXPECT_EQ(Anchors()[1], (Anchor{10, 0.2f}));
    EXPECT_EQ(document->GetUndoCount(), 1u);
    EXPECT_EQ(pane->GetFrame(), 3u);
    EXPECT_TRUE(box->geometry().contains(At(1, 10, 0.2f)));

    Type(box, "0.65", Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_TRUE(pane->hasFocus());
    EXPECT_EQ(Anchors()[1], (Anchor{10, 0.65f}));
    EXPECT_EQ(document->GetUndoCount(), 2u);
    EXPECT_EQ(pane->GetFrame(), 10u);
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(Anchors()[1], (Anchor{10, 0.2f}));
    EXPECT_EQ(pane->GetFrame(), 3u);

    // Beyond the knob's range the value stops at its end.
    Type(DoubleClick(At(1, 10, 0.2f)), "7", Qt::Key_Return);
    EXPECT_EQ(Anchors()[1], (Anchor{10, 1.0f}));
    Type(DoubleClick(At(1, 0, 1.0f)), "-3", Qt::Key_Tab);
    EXPECT_EQ(Anchors()[0], (Anchor{0, 0.0f}));
    // A double-click beside the spiders sets none to edit.
    EXPECT_EQ(DoubleClick(At(1, 20, 0.5f)), nullptr);
}

TEST_F(TimelineWndTest, AValueTypedOnAKnobRunningFromOneDownToZeroIsKept) {
    const KnobKey blink("eyeblink");
    const std::vector<Knob>& standard = StandardKnobs();
    const auto knob = std::find_if(standard.begin(), standard.end(),
                                   [&](const Knob& k) { return k.key == blink; });
    ASSERT_NE(knob, standard.end());
    ASSERT_GT(knob->minValue, knob->maxValue);
    ASSERT_TRUE(document->Execute(AddKnobCmd(document.get(), *knob)));
    const auto row = static_cast<std::size_t>(
        std::find(pane->Rows().begin(), pane->Rows().end(), *knob) - pane->Rows().begin());
    ASSERT_LT(row, pane->Rows().size());
    ASSERT_TRUE(document->Execute(InsertAnchorCmd(document.get(), blink, 10, 0.2f)));
    Type(DoubleClick(At(row, 10, 0.2f)), "0.5", Qt::Key_Return);
    EXPECT_EQ(document->GetTimeline().ValueAt(blink, 10), 0.5f);
    Type(DoubleClick(At(row, 10, 0.5f)), "7", Qt::Key_Return);
    EXPECT_EQ(document->GetTimeline().ValueAt(blink, 10), 1.0f);
}

// A step made elsewhere between the clicks (a sound load ending) is no step
// of the first click's to take back: here that click was put back by Escape.
TEST_F(TimelineWndTest, ADoubleClickTakesBackOnlyTheStepItsFirstClickMade) {
    Add(10, 0.25f);
    const QPoint p = At(1, 10, 0.4f);
    QTest::mousePress(pane.get(), Qt::LeftButton, {}, p);
    QTest::keyClick(pane.get(), Qt::Key_Escape);
    QTest::mouseRelease(pane.get(), Qt::LeftButton, {}, p);
    ASSERT_EQ(document->GetUndoCount(), 1u);
    Add(30, 0.7f);
    QTest::mouseDClick(pane.get(), Qt::LeftButton, {}, p);
    QTest::mouseRelease(pane.get(), Qt::LeftButton, {}, p);
    EXPECT_EQ(document->GetUndoCount(), 2u);
    EXPECT_EQ(Anchors().back(), (Anchor{30, 0.7f}));
    auto* box = pane->findChild<wingui::InplaceEditBox*>();
    ASSERT_TRUE(box && box->isVisible());
    Type(box, "0.5", Qt::Key_Escape);
}

TEST_F(TimelineWndTest, EscapeOrATextThatIsNoNumberLeavesTheSpiderAsItWas) {
    Add(10, 0.25f);
    const std::size_t undo = document->GetUndoCount();
    Type(DoubleClick(At(1, 10, 0.4f)), "0.9", Qt::Key_Escape);
    EXPECT_EQ(Anchors()[1], (Anchor{10, 0.25f}));
    Type(DoubleClick(At(1, 10, 0.4f)), "much", Qt::Key_Return);
    EXPECT_EQ(Anchors()[1], (Anchor{10, 0.25f}));
    EXPECT_EQ(document->GetUndoCount(), undo);
    EXPECT_TRUE(pane->hasFocus());

    // The value is shown and read in the user's number format.
    const testing::ScopedLocale german(testing::German());
    wingui::InplaceEditBox* box = DoubleClick(At(1, 10, 0.25f));
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->text(), "0,25");
    Type(box, "0,75", Qt::Key_Return);
    EXPECT_EQ(Anchors()[1], (Anchor{10, 0.75f}));
}

TEST_F(TimelineWndTest, ContextMenuOffersWhatLiesUnderTheMouseAndItsCommandsAct) {
    Add(12, 0.3f);
    RightClick(At(1, 12, 0.3f), "Delete Spider");
    EXPECT_EQ(pane->GetFrame(), 12u); // the right press moved the cursor
    EXPECT_EQ(offered, (QStringList{"Delete Spider", "-", "New Knob", "Delete Knob", "-",
                                    "Zoom In\tCtrl++", "Zoom Out\tCtrl+-"}));
    EXPECT_TRUE(disabled.isEmpty());
    EXPECT_FALSE(document->GetTimeline().HasAnchor(Saturation, 12));
    ASSERT_TRUE(document->Undo());
    EXPECT_TRUE(document->GetTimeline().HasAnchor(Saturation, 12));
    EXPECT_EQ(pane->GetFrame(), 12u);

    RightClick(QPoint(100, 10), "Load Audio");
    EXPECT_EQ(offered.first(), "Load Audio");
    EXPECT_FALSE(offered.contains("Delete Knob"));
    QTest::mouseDClick(pane.get(), Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(host.commands, (std::vector<uint32_t>{IdLoadAudio, IdLoadAudio}));

    // New Knob asks the dialog and adds its knob as one step; Cancel adds none.
    struct Answer : wingui::DialogRunner {
        bool ok = false;
        int Run(QDialog&) override { return ok ? QDialog::Accepted : QDialog::Rejected; }
    } answer;
    {
        const testing::InstalledRunner<wingui::DialogRunner> installed(&answer);
        RightClick(QPoint(100, 10), "New Knob");
        EXPECT_EQ(pane->Rows().size(), 3u);
        answer.ok = true;
        RightClick(QPoint(100, 10), "New Knob");
    }
    ASSERT_EQ(pane->Rows().size(), 4u);
    EXPECT_EQ(pane->Rows().back().name, "New Knob");
    ASSERT_TRUE(document->Undo());

    // Delete Knob acts on the remembered row; once the rows changed, it no
    // longer deletes whatever moved into that place.
    RightClick(At(2, 1, 0.5f), "Delete Knob");
    EXPECT_EQ(pane->Rows().size(), 2u);
    pane->OnCommand(IdDeleteKnob);
    EXPECT_EQ(pane->Rows().size(), 2u);
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(pane->Rows().size(), 3u);
    RightClick(At(0, 1, 100.0f), "Zoom In\tCtrl++");
    EXPECT_NEAR(G().frameWidth, 21.11f, 0.01f);
}

// Only the left click that focuses the pane is eaten: the right press moves
// the cursor before the menu opens, and Delete Spider deletes the spider it
// was offered for, enabled by that spider's frame.
TEST_F(TimelineWndTest, DeleteSpiderOnTheUnfocusedPaneDeletesTheSpiderUnderTheMouse) {
    Add(7, 0.3f);
    Add(14, 0.6f);
    host.RequestFrame(7);
    other->setFocus();
    RightClick(At(1, 14, 0.6f), "Delete Spider");
    EXPECT_TRUE(pane->hasFocus());
    EXPECT_EQ(pane->GetFrame(), 14u);
    EXPECT_TRUE(document->GetTimeline().HasAnchor(Saturation, 7));
    EXPECT_FALSE(document->GetTimeline().HasAnchor(Saturation, 14));
    ASSERT_TRUE(document->Undo());
    EXPECT_TRUE(document->GetTimeline().HasAnchor(Saturation, 14));

    // A menu opened from the keyboard comes without a press: at cursor frame
    // 0 it still deletes the spider it offered.
    host.RequestFrame(0);
    test::ChoosingMenuRunner menu("Delete Spider");
    QContextMenuEvent key(QContextMenuEvent::Keyboard, At(1, 14, 0.6f),
                          pane->mapToGlobal(At(1, 14, 0.6f)));
    QApplication::sendEvent(pane.get(), &key);
    EXPECT_TRUE(menu.disabled.isEmpty());
    EXPECT_FALSE(document->GetTimeline().HasAnchor(Saturation, 14));
    EXPECT_TRUE(document->GetTimeline().HasAnchor(Saturation, 7));
    EXPECT_EQ(pane->GetFrame(), 14u);
}

// Rows taller than the pane: a knob made from the menu, or with a new pose,
// scrolls into view; a click on a row leaves the view where it is.
TEST_F(TimelineWndTest, ANewKnobsRowScrollsIntoViewAndAClickOnARowScrollsNothing) {
    pane->resize(800, 300);
    const auto shown = [this](std::size_t row) {
        return G().RowTop(row) >= G().RowsTop() &&
               G().RowTop(row) + G().RowHeight() <= G().ViewHeight();
    };
    ASSERT_FALSE(shown(2));
    struct Answer : wingui::DialogRunner {
        int Run(QDialog&) override { return QDialog::Accepted; }
    } answer;
    {
        const testing::InstalledRunner<wingui::DialogRunner> installed(&answer);
        RightClick(QPoint(100, 10), "New Knob");
    }
    ASSERT_EQ(pane->Rows().size(), 4u);
    EXPECT_TRUE(shown(3));

    pane->VerticalBar()->setValue(0);
    const Knob& wink = StandardKnobs()[5];
    test::AddShape(*document, {{{0, 0}, {1, 0}, {0, 1}}});
    ASSERT_TRUE(AddPose(*document, host, {0, 0, 0}, wink.key, wink));
    ASSERT_EQ(pane->Rows().back().key, wink.key);
    EXPECT_TRUE(shown(4));
    // Undo brings the deleted knob back into view too.
    ASSERT_TRUE(document->Execute(DeleteKnobCmd(document.get(), Saturation)));
    pane->VerticalBar()->setValue(pane->VerticalBar()->maximum());
    ASSERT_TRUE(document->Undo());
    EXPECT_TRUE(shown(4));
    EXPECT_EQ(pane->Rows()[4].key, Saturation);

    // A click on the name in the middle of a row, with the rows scrolled.
    pane->VerticalBar()->setValue(static_cast<int>(G().RowHeight() / 2));
    ASSERT_FALSE(shown(0));
    const double vScroll = G().vScroll;
    const double hScroll = G().hScroll;
    const float y = G().RowTop(1) + G().RowHeight() / 2;
    const QPoint name(static_cast<int>(G().ViewWidth() / 2), static_cast<int>(y));
    QTest::mouseClick(pane.get(), Qt::LeftButton, {}, name);
    EXPECT_EQ(G().vScroll, vScroll);
    EXPECT_EQ(G().hScroll, hScroll);
    EXPECT_TRUE(document->GetTimeline().HasAnchor(pane->Rows()[1].key, G().FrameAt(name.x())));
}

TEST_F(TimelineWndTest, WaveformHasValuesPerFrameByChannelCountAndOddClipsGiveNone) {
    struct Case {
        std::uint32_t channels;
        std::uint32_t perSecond; // 48000 Hz at 29.97 frames per second
    };
    for (Case c : {Case{1, 120}, Case{2, 90}, Case{4, 30}, Case{6, 30}}) {
        TimelineWaveform waveform;
        waveform.Build(Tone(48000, c.channels, 48000), 29970);
        EXPECT_EQ(AudioView(waveform.Envelope()).FrameCount(), c.perSecond) << c.channels;
        EXPECT_EQ(waveform.Envelope().channels, c.channels);
    }
    TimelineWaveform waveform;
    for (AudioClip clip : {Tone(0, 2, 100), Tone(48000, 2, 0), Tone(4000000000u, 1, 100)}) {
        waveform.Build(clip, 29970);
        EXPECT_LE(AudioView(waveform.Envelope()).FrameCount(), 1u);
    }
    AudioClip silent = Tone(48000, 1, 100);
    silent.channels = 0;
    waveform.Build(silent, 29970);
    EXPECT_EQ(waveform.Envelope().byteCount, 0u);
    waveform.Build(Tone(48000, 1, 100), 0);
    EXPECT_EQ(waveform.Envelope().byteCount, 0u);
}

// A clip being read is taken in piece by piece, in pieces that end anywhere,
// and gives the waveform of the whole clip; only that clip is recognised.
TEST_F(TimelineWndTest, WaveformGrownWhileReadingIsTheWholeClipsWaveform) {
    const AudioClip clip = Tone(44100, 2, 44100 * 3 + 77);
    TimelineWaveform whole;
    whole.Build(clip, 29970);
    TimelineWaveform grown;
    const AudioView all(clip);
    for (std::size_t bytes = 0; bytes < all.byteCount; bytes += 4 * 1153) {
        grown.Grow(all.Slice(0, bytes), 29970);
    }
    EXPECT_FALSE(grown.IsOf(clip, 29970));
    grown.Finish(clip, 29970);
    const AudioView a = whole.Envelope();
    const AudioView b = grown.Envelope();
    ASSERT_EQ(a.byteCount, b.byteCount);
    EXPECT_EQ(std::memcmp(a.data, b.data, a.byteCount), 0);
    EXPECT_EQ(static_cast<const AudioHeader&>(a), static_cast<const AudioHeader&>(b));
    EXPECT_TRUE(grown.IsOf(clip, 29970));
    EXPECT_FALSE(grown.IsOf(clip, 25000));
    EXPECT_FALSE(grown.IsOf(Tone(44100, 2, 44100 * 3 + 77), 29970));
}

// Undo and redo of a new clip, and a clip whose waveform was made while it
// was read, take the waveform they already have; a clip that is gone is
// never taken for another.
TEST_F(TimelineWndTest, WaveformsAreKeptForTheClipBeforeAndTakenFromTheLoad) {
    const AudioClip first = Tone(44100, 2, 44100);
    const AudioClip second = Tone(44100, 1, 44100);
    TimelineWaveforms waveforms;
    waveforms.Follow(first, 29970);
    const std::uint8_t* firstPeaks = waveforms.Shown().Envelope().data;
    waveforms.Follow(second, 29970);
    EXPECT_TRUE(waveforms.Shown().IsOf(second, 29970));
    waveforms.Follow(first, 29970);
    EXPECT_EQ(waveforms.Shown().Envelope().data, firstPeaks);

    TimelineWaveform loaded;
    const AudioClip third = Tone(48000, 2, 48000);
    loaded.Finish(third, 29970);
    waveforms.Show(loaded);
    EXPECT_TRUE(waveforms.IsShowingOther());
    const std::uint8_t* loadedPeaks = waveforms.Shown().Envelope().data;
    waveforms.Follow(third, 29970);
    EXPECT_FALSE(waveforms.IsShowingOther());
    EXPECT_EQ(waveforms.Shown().Envelope().data, loadedPeaks);

    TimelineWaveform gone;
    {
        const AudioClip brief = Tone(44100, 2, 100);
        gone.Build(brief, 29970);
        EXPECT_TRUE(gone.IsOf(brief, 29970));
    }
    EXPECT_FALSE(gone.IsOf(Tone(44100, 2, 100), 29970));
}

TEST_F(TimelineWndTest, PaintsWaveformCurveAndCursorWhereTheGeometryPutsThem) {
    AudioClip clip = Tone(48000, 2, 48000 * 2);
    document->SetAudio(clip);
    Add(20, 1.0f);
    host.RequestFrame(10);
    const QImage image = Picture();
    // The cursor's line crosses the rows below the ruler.
    const QColor cursor = image.pixelColor(static_cast<int>(G().FrameX(10)), 200);
    EXPECT_GT(cursor.red(), 0xB0);
    EXPECT_LT(cursor.green(), 0x40);
    // Each channel's bars are centred on its half of the strip.
    int lavender = 0;
    for (int x = 20; x < 400; ++x) {
        lavender += Rgb(image, x, 18) == 0xCCCCFFu && Rgb(image, x, 54) == 0xCCCCFFu;
    }
    EXPECT_GT(lavender, 50);
    // The curve runs flat at the vivid end after its last anchor.
    const float vivid = G().ValueY(pane->Rows()[1], 1, 1.0f);
    EXPECT_EQ(Rgb(image, G().FrameX(30), vivid), 0xFFFF00u);
    // Left of frame 0 the ruler stays black.
    EXPECT_EQ(Rgb(image, 4, G().RulerTop() + 4), 0u);
}

TEST_F(TimelineWndTest, ScrollBarsFollowTheViewAndHoldFarFrames) {
    pane->resize(800, 300); // the three rows no longer fit
    QScrollBar* vertical = pane->VerticalBar();
    ASSERT_GT(vertical->maximum(), 0);
    QWheelEvent notch(QPointF(100, 200), pane->mapToGlobal(QPointF(100, 200)), {}, QPoint(0, -120),
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(pane.get(), &notch);
    const int lines = QApplication::wheelScrollLines();
    EXPECT_EQ(
        vertical->value(),
        std::min(vertical->maximum(), static_cast<int>(std::floor(G().LineStep() * lines + 0.5))));
    EXPECT_EQ(G().vScroll, vertical->value());
    QTest::keyClick(pane.get(), Qt::Key_PageUp);
    EXPECT_EQ(vertical->value(), 0);

    QScrollBar* horizontal = pane->HorizontalBar();
    horizontal->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(G().hScroll, 0.0);

    // A frame near the end of the 32-bit range: the bars keep int ranges and
    // painting the ruler and curves ends.
    host.RequestFrame(4294967290u);
    EXPECT_GE(pane->GetExtentFrame(), 4294967290u);
    EXPECT_GE(horizontal->maximum(), horizontal->minimum());
    EXPECT_LE(static_cast<long long>(horizontal->maximum()) + horizontal->pageStep(),
              std::numeric_limits<int>::max());
    Picture();
    pane->Zoom(-30);
    EXPECT_EQ(G().frameWidth, TimelineGeometry::MinFrameWidth);
    Picture();
}

} // namespace
} // namespace vel::lumo
