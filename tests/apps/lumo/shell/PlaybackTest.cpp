#include "apps/lumo/document/AnchorCommands.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/panes/TransportBar.h"
#include "apps/lumo/shell/FramePacer.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QKeyEvent>
#include <QTest>

namespace vel::lumo::test {
namespace {

// A document whose animation is the given number of frames long.
void SetLength(LumoWnd& window, uint32_t frames) {
    LumoDocument* document = window.GetDocument();
    ASSERT_TRUE(document->Execute(InsertAnchorCmd(document, StandardKnobs()[0].key, frames, 0.5f)));
    ASSERT_EQ(document->GetFrameCount(), frames);
}

void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers, int count = 1) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, QString(), count > 1,
                    static_cast<ushort>(count));
    QCoreApplication::sendEvent(widget, &event);
}

class PlaybackTest : public ShellTest {};

TEST_F(PlaybackTest, PlaybackShowsEveryFrameUpToTheCountAndStops) {
    SetLength(*window, 10);
    window->SetFrame(10);
    window->OnCommand(IdPlay);
    ASSERT_TRUE(window->IsPlaying());
    EXPECT_EQ(window->GetFrame(), 0u);
    std::vector<uint32_t> shown{window->GetFrame()};
    const auto start = clock.Now();
    while (window->IsPlaying()) {
        window->PlaybackStep();
        if (window->IsPlaying()) {
            shown.push_back(window->GetFrame());
        }
    }
    EXPECT_EQ(shown, (std::vector<uint32_t>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
    // Eleven deadlines one period apart, the first at once.
    const auto period = std::chrono::duration<double>(1.0 / 29.97);
    EXPECT_NEAR(std::chrono::duration<double>(clock.Now() - start).count(), 10 * period.count(),
                0.001);
    EXPECT_EQ(window->Timeline()->GetFrame(), 10u);
}

// Leaves every dialog at once, noting who held the mouse while it was up.
class GrabRecordingRunner : public wingui::DialogRunner {
public:
    int Run(QDialog& dialog) override {
        titles.push_back(dialog.windowTitle().toStdString());
        grabbers.push_back(QWidget::mouseGrabber());
        return QDialog::Rejected;
    }
    std::vector<std::string> titles;
    std::vector<QWidget*> grabbers;

private:
    testing::InstalledRunner<DialogRunner> installed_{this};
};

TEST_F(PlaybackTest, TheExportButtonsDialogGetsTheMouse) {
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    GrabRecordingRunner runner;
    TransportBar* bar = window->Transport();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->Buttons().back().rect.center());
    EXPECT_EQ(runner.titles, std::vector<std::string>{"Export Video"});
    EXPECT_EQ(runner.grabbers, std::vector<QWidget*>{nullptr});
}

TEST_F(PlaybackTest, AnyJumpStopsPlaybackAndThePlayGlyphFollows) {
    SetLength(*window, 100);
    const QString& label = window->Transport()->Buttons()[TransportBar::PlayButton].label;
    window->OnCommand(IdPlay);
    EXPECT_EQ(label, TransportBar::PauseGlyph);
    window->PlaybackStep();
    window->PlaybackStep();
    EXPECT_TRUE(window->IsPlaying());
    window->RequestFrame(50);
    EXPECT_FALSE(window->IsPlaying());
    EXPECT_EQ(label, TransportBar::PlayGlyph);

    PressKey(window.get(), Qt::Key_F5, {});
    EXPECT_TRUE(window->IsPlaying());
    EXPECT_EQ(label, TransportBar::PauseGlyph);
    PressKey(window.get(), Qt::Key_Escape, {});
    EXPECT_FALSE(window->IsPlaying());
    EXPECT_EQ(label, TransportBar::PlayGlyph);
    PressKey(window.get(), Qt::Key_F4, {});
    EXPECT_TRUE(window->IsPlaying());
    PressKey(window.get(), Qt::Key_MediaStop, {});
    EXPECT_FALSE(window->IsPlaying());
}

TEST_F(PlaybackTest, ArrowKeysAndTransportStepsMoveTheFrame) {
    SetLength(*window, 200);
    PressKey(window.get(), Qt::Key_Right, Qt::ControlModifier, 3);
    EXPECT_EQ(window->GetFrame(), 90u);
    PressKey(window.get(), Qt::Key_Left, {}, 2);
    EXPECT_EQ(window->GetFrame(), 88u);
    PressKey(window.get(), Qt::Key_Left, Qt::ControlModifier, 4);
    EXPECT_EQ(window->GetFrame(), 0u);

    window->SetFrame(30);
    window->OnCommand(IdBack30);
    EXPECT_EQ(window->GetFrame(), 0u);
    window->SetFrame(31);
    window->OnCommand(IdBack30);
    EXPECT_EQ(window->GetFrame(), 1u);
    window->OnCommand(IdForward30);
    EXPECT_EQ(window->GetFrame(), 31u);
    PressKey(window.get(), Qt::Key_End, {});
    EXPECT_EQ(window->GetFrame(), 200u);
    PressKey(window.get(), Qt::Key_Home, {});
    EXPECT_EQ(window->GetFrame(), 0u);
}

TEST_F(PlaybackTest, PlaybackInTheEditorLeavesTheWaitToTheMessageLoop) {
    SetLength(*window, 10);
    window->OnCommand(IdPlay);
    EXPECT_EQ(window->PlaybackTurn(), PacerClock::Duration::zero()) << "the first frame is due";
    EXPECT_EQ(window->GetFrame(), 1u);
    const PacerClock::Duration wait = window->PlaybackTurn();
    EXPECT_EQ(window->GetFrame(), 1u);
    EXPECT_EQ(clock.sleeps, 0);
    EXPECT_GT(wait, std::chrono::milliseconds(30));
    clock.now += wait;
    EXPECT_EQ(window->PlaybackTurn(), PacerClock::Duration::zero());
    EXPECT_EQ(window->GetFrame(), 2u);
    EXPECT_EQ(clock.sleeps, 0);
}

TEST_F(PlaybackTest, TheFramePacerKeepsAFixedScheduleAndSleepsUntilShortlyBeforeEachDeadline) {
    FramePacer pacer(clock);
    pacer.Start(30.0);
    EXPECT_TRUE(pacer.Wait().onTime);
    const auto first = clock.Now();
    const FramePacer::Beat beat = pacer.Wait();
    EXPECT_TRUE(beat.onTime);
    EXPECT_EQ(beat.frames, 1u);
    EXPECT_EQ(clock.sleeps, 1);
    EXPECT_GE(clock.Now() - first, pacer.GetPeriod());
    EXPECT_LT(clock.Now() - first, pacer.GetPeriod() + std::chrono::microseconds(100));
    EXPECT_LE(clock.spins, 15 + 1);

    // Late by three periods: the next waits return at once until caught up.
    clock.now += 3 * pacer.GetPeriod() + std::chrono::milliseconds(1);
    for (const bool onTime : {false, false, false, true}) {
        const FramePacer::Beat late = pacer.Wait();
        EXPECT_EQ(late.onTime, onTime);
        EXPECT_EQ(late.frames, 1u);
    }

    pacer.Align(std::chrono::milliseconds(5));
    const auto aligned = clock.Now();
    EXPECT_TRUE(pacer.Wait().onTime);
    EXPECT_GE(clock.Now() - aligned, std::chrono::milliseconds(5));
}

// A stall drops the frames whose successors are due already, and the frames
// after it keep to the schedule instead of all coming late.
TEST_F(PlaybackTest, TheFramePacerDropsWhatAStallPassedAndKeepsTheFramesAfterItOnTime) {
    FramePacer pacer(clock, FramePacer::AfterStall::Drop);
    pacer.Start(30.0);
    pacer.Wait();
    pacer.Wait();
    const auto deadline = pacer.GetLastDeadline();
    const auto period = pacer.GetPeriod();

    clock.now += 3 * period + std::chrono::milliseconds(1);
    FramePacer::Beat beat = pacer.Wait();
    EXPECT_FALSE(beat.onTime);
    EXPECT_EQ(beat.frames, 3u) << "the frame due now, two dropped before it";
    EXPECT_EQ(pacer.GetLastDeadline(), deadline + 3 * period);
    for (int i = 4; i < 8; ++i) {
        beat = pacer.Wait();
        EXPECT_TRUE(beat.onTime);
        EXPECT_EQ(beat.frames, 1u);
        EXPECT_EQ(pacer.GetLastDeadline(), deadline + i * period);
        EXPECT_LT(clock.Now() - pacer.GetLastDeadline(), std::chrono::microseconds(100));
    }

    // Late by less than a period, the frame is shown, not dropped.
    clock.now += period + period / 2;
    beat = pacer.Wait();
    EXPECT_FALSE(beat.onTime);
    EXPECT_EQ(beat.frames, 1u);
    // Behind the sound by seconds, the schedule jumps to the frame heard.
    pacer.Align(-2 * period - std::chrono::microseconds(1));
    EXPECT_EQ(pacer.Wait().frames, 3u);
}

} // namespace
} // namespace vel::lumo::test
