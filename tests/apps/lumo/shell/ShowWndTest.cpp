#include "apps/lumo/shell/ShowWnd.h"

#include "apps/lumo/document/FitEdits.h"
#include "apps/lumo/document/ShapeEdits.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/render/ExportPicture.h"
#include "apps/lumo/shell/FramePacer.h"
#include "apps/lumo/shell/ShowLayer.h"
#include "apps/lumo/shell/ShowScreens.h"
#include "core/File.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QAction>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

namespace vel::lumo::test {
namespace {

// The frame the export writes for a frame of the document, fitted.
QImage ExportedFrame(const LumoDocument& document, uint32_t frame, QSize size) {
    ExportPicture picture(size.width(), size.height(), &document.GetFit());
    picture.Draw(document.EvaluateFrame(frame), std::nullopt, document.GetFrameRate());
    return QImage(picture.Rows(), size.width(), size.height(), QImage::Format_RGB32).copy();
}

QImage Grabbed(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// A face bent onto a pumpkin: every corner moved, and the grid on and bent.
void Fit(LumoDocument& document) {
    ASSERT_TRUE(MoveFitHandle(document, 0, {0.08f, 0.05f}));
    ASSERT_TRUE(MoveFitHandle(document, 1, {0.9f, 0.1f}));
    ASSERT_TRUE(MoveFitHandle(document, 2, {0.95f, 0.92f}));
    ASSERT_TRUE(MoveFitHandle(document, 3, {0.04f, 0.85f}));
    ASSERT_TRUE(SetFitGrid(document, true));
    ASSERT_TRUE(MoveFitHandle(document, 8, {0.55f, 0.45f}));
}

// Remembers what reached it, and takes the keys it is told to take.
class RecordingLayer : public ShowLayer {
public:
    bool OnKey(QKeyEvent& event) override {
        keys.push_back(event.key());
        return event.key() == taken;
    }
    bool OnMouse(QMouseEvent&) override {
        ++mice;
        return true;
    }
    void Paint(QPainter& painter, const QRect& picture) override {
        painter.fillRect(picture.center().x(), picture.center().y(), 4, 4, Qt::white);
    }

    int taken = Qt::Key_Escape;
    std::vector<int> keys;
    int mice = 0;
};

class ShowWndTest : public ShellTest {
protected:
    void SetUp() override { SetDocumentOf(LUMO_EXAMPLE); }
    LumoDocument& Document() const { return *window->GetDocument(); }
    ShowWnd& StartShow() {
        window->OnCommand(IdShowOnProjector);
        EXPECT_TRUE(window->IsShowing());
        return *window->Show();
    }
    // The frames the show goes through in count steps.
    std::vector<uint32_t> Step(ShowWnd& show, uint32_t count) {
        std::vector<uint32_t> frames;
        for (uint32_t i = 0; i < count; ++i) {
            show.PlaybackStep();
            frames.push_back(show.GetFrame());
        }
        return frames;
    }
};

TEST_F(ShowWndTest, OpensFullScreenWithoutAFrameStopsTheEditorAndEscapeOrF11EndsIt) {
    for (const Qt::Key key : {Qt::Key_Escape, Qt::Key_F11}) {
        window->OnCommand(IdPlay);
        ASSERT_TRUE(window->IsPlaying());
        ShowWnd& show = StartShow();
        EXPECT_FALSE(window->IsPlaying());
        EXPECT_TRUE(show.isFullScreen());
        EXPECT_TRUE(show.windowFlags().testFlag(Qt::FramelessWindowHint));
        EXPECT_EQ(show.screen(), QGuiApplication::screens().front());
        EXPECT_TRUE(show.IsPlaying());
        EXPECT_EQ(show.GetFrame(), 0u);
        // The editor does not play over the show, nor start a second one.
        window->OnCommand(IdPlay);
        EXPECT_FALSE(window->IsPlaying());
        window->UpdateMenuState();
        EXPECT_FALSE(window->Action(IdPlay)->isEnabled());
        EXPECT_FALSE(window->Action(IdShowOnProjector)->isEnabled());
        window->OnCommand(IdShowOnProjector);
        EXPECT_EQ(window->Show(), &show);

        QTest::keyClick(&show, key);
        EXPECT_FALSE(window->IsShowing());
        EXPECT_FALSE(show.isVisible());
        QCoreApplication::processEvents();
        EXPECT_EQ(window->Show(), nullptr);
        window->UpdateMenuState();
        EXPECT_TRUE(window->Action(IdPlay)->isEnabled());
    }
}

TEST_F(ShowWndTest, PlaysTheRangeInALoopAndSpacePausesAndResumes) {
    ShowWnd& show = StartShow();
    const uint32_t last = Document().GetFrameCount();
    ASSERT_GT(last, 2u);
    const std::vector<uint32_t> frames = Step(show, last + 1);
    EXPECT_EQ(frames[last - 1], last);
    EXPECT_EQ(frames[last], 0u) << "the range starts over after its last frame";
    const auto restart = clock.Now();
    EXPECT_EQ(Step(show, 1), std::vector<uint32_t>{1});
    EXPECT_GE(clock.Now() - restart, std::chrono::milliseconds(33))
        << "the first frame of a new round shows as long as any other";
    EXPECT_TRUE(show.IsPlaying());

    QTest::keyClick(&show, Qt::Key_Space);
    EXPECT_FALSE(show.IsPlaying());
    EXPECT_TRUE(window->IsShowing());
    QTest::keyClick(&show, Qt::Key_Space);
    EXPECT_TRUE(show.IsPlaying());
    EXPECT_EQ(Step(show, 1), std::vector<uint32_t>{2});
}

// A stall of the machine costs the show the frames it passed, not the
// schedule: the frame due is shown at once and the ones after it on time,
// and frames dropped near the end never pass the last.
TEST_F(ShowWndTest, AfterAStallTheShowGoesOnWithTheFrameDueAndTheRestOnTime) {
    ShowWnd& show = StartShow();
    const uint32_t last = Document().GetFrameCount();
    ASSERT_GT(last, 20u);
    Step(show, 2);
    const auto period = std::chrono::duration_cast<PacerClock::Duration>(
        std::chrono::duration<double>(1000.0 / Document().GetFrameRate()));
    clock.now += 10 * period + std::chrono::milliseconds(1);
    EXPECT_EQ(Step(show, 1), std::vector<uint32_t>{12});
    for (uint32_t frame = 13; frame < 16; ++frame) {
        const auto before = clock.Now();
        EXPECT_EQ(Step(show, 1), std::vector<uint32_t>{frame});
        EXPECT_GE(clock.Now() - before, period - std::chrono::milliseconds(2)) << "waits its turn";
    }
    EXPECT_TRUE(show.IsPlaying());

    clock.now += (last + 5) * period;
    EXPECT_EQ(Step(show, 2), (std::vector<uint32_t>{last, 0}));
    EXPECT_TRUE(show.IsPlaying());
}

TEST_F(ShowWndTest, AnEditInTheEditorReachesTheShowAtTheNextFrame) {
    ShowWnd& show = StartShow();
    QTest::keyClick(&show, Qt::Key_Space);
    const QImage before = Grabbed(show);
    ASSERT_TRUE(MoveShape(Document(), 0, 0.2f, 0.1f));
    const QImage moved = Grabbed(show);
    EXPECT_NE(moved, before);
    ASSERT_TRUE(MoveFitHandle(Document(), 2, {0.7f, 0.8f}));
    const QImage fitted = Grabbed(show);
    EXPECT_NE(fitted, moved);
    EXPECT_EQ(fitted.copy(show.PictureRect()),
              ExportedFrame(Document(), 0, show.PictureRect().size()));
    // Undone in the editor, the face is back as it was.
    window->OnCommand(IdUndo);
    window->OnCommand(IdUndo);
    EXPECT_EQ(Grabbed(show), before);
}

// The same renderer draws both, so the projector shows what the video holds;
// on a screen of other proportions the picture keeps its own between black bars.
TEST_F(ShowWndTest, AFittedExportFrameEqualsTheShowsFrame) {
    Fit(Document());
    for (const auto& [screen, picture] : {std::pair{QSize(1920, 1080), QRect(0, 0, 1920, 1080)},
                                          std::pair{QSize(1280, 800), QRect(0, 40, 1280, 720)},
                                          std::pair{QSize(1080, 1920), QRect(0, 656, 1080, 608)}}) {
        ShowWnd show(Document(), clock, {});
        show.resize(screen);
        show.RequestFrame(40);
        ASSERT_EQ(show.PictureRect(), picture);
        const QImage shown = Grabbed(show);
        const QImage exported = ExportedFrame(Document(), 40, picture.size());
        EXPECT_EQ(shown.copy(picture), exported) << screen.width() << "x" << screen.height();
        EXPECT_EQ(exported, show.Picture());
        QImage bars = shown;
        QPainter(&bars).fillRect(picture, Qt::black);
        QImage black(screen, QImage::Format_RGB32);
        black.fill(Qt::black);
        EXPECT_EQ(bars, black) << "nothing but the face shows";
    }
}

TEST_F(ShowWndTest, ThePointerHidesAfterASecondStillAndShowsOnMovement) {
    ShowWnd& show = StartShow();
    QTest::keyClick(&show, Qt::Key_Space);
    EXPECT_NE(show.cursor().shape(), Qt::BlankCursor);
    QTest::qWait(ShowWnd::PointerHideMs + 500);
    EXPECT_EQ(show.cursor().shape(), Qt::BlankCursor);
    QTest::mouseMove(&show, QPoint(100, 100));
    EXPECT_NE(show.cursor().shape(), Qt::BlankCursor);
}

TEST_F(ShowWndTest, ALayerInFrontTakesKeysAndTheMouseFirstAndDrawsOverTheFace) {
    ShowWnd& show = StartShow();
    auto owned = std::make_unique<RecordingLayer>();
    RecordingLayer* layer = owned.get();
    show.SetLayer(std::move(owned));
    QTest::keyClick(&show, Qt::Key_Escape);
    EXPECT_TRUE(window->IsShowing()) << "the layer took Escape";
    QTest::keyClick(&show, Qt::Key_Space);
    EXPECT_FALSE(show.IsPlaying()) << "what the layer leaves reaches the window";
    EXPECT_EQ(layer->keys, (std::vector<int>{Qt::Key_Escape, Qt::Key_Space}));
    QTest::mouseClick(&show, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_GE(layer->mice, 2);
    const QPoint centre = show.PictureRect().center();
    EXPECT_EQ(Grabbed(show).pixel(centre), qRgb(255, 255, 255));
    show.SetLayer(nullptr);
    QTest::keyClick(&show, Qt::Key_Escape);
    EXPECT_FALSE(window->IsShowing());
}

// For the benchmark: each frame the show paints, how late it was.
TEST_F(ShowWndTest, TheShowLogsEachFramesLatenessWhenAskedTo) {
    const QTemporaryDir folder;
    const QString log = folder.filePath(QStringLiteral("lateness.log"));
    qputenv("LUMO_SHOW_LATENESS", QFile::encodeName(log));
    {
        ShowWnd show(Document(), clock, {});
        qunsetenv("LUMO_SHOW_LATENESS");
        show.resize(320, 180);
        show.Start(nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&show));
        for (int i = 0; i < 3; ++i) {
            show.PlaybackStep();
            // Late by the time the paint takes on the clock that only moves when waited on.
            clock.now += std::chrono::milliseconds(5);
            show.repaint();
        }
        show.End();
    }
    QFile file(log);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("1 5.000\n2 5.000\n3 5.000\n"));
}

// The loop's turn never sleeps through the wait for a deadline, so the
// microphone, the keys and the editor are heard while the show waits; the
// frame still comes at its deadline.
TEST_F(ShowWndTest, BetweenFramesTheShowLeavesTheWaitToTheMessageLoopAndKeepsItsDeadlines) {
    ShowWnd& show = StartShow();
    Step(show, 2);
    const uint32_t frame = show.GetFrame();
    const auto period = std::chrono::duration_cast<PacerClock::Duration>(
        std::chrono::duration<double>(1000.0 / Document().GetFrameRate()));
    const auto deadline = clock.Now() + period;
    const int sleeps = clock.sleeps;
    for (const auto passed : {PacerClock::Duration::zero(), period / 2}) {
        clock.now = deadline - period + passed;
        const PacerClock::Duration wait = show.PlaybackTurn();
        EXPECT_EQ(show.GetFrame(), frame);
        EXPECT_EQ(clock.sleeps, sleeps) << "the turn slept";
        EXPECT_EQ(clock.Now(), deadline - period + passed);
        EXPECT_EQ(wait, period - passed - FramePacer::Slack);
    }
    clock.now = deadline - FramePacer::Slack;
    EXPECT_EQ(show.PlaybackTurn(), PacerClock::Duration::zero());
    EXPECT_EQ(show.GetFrame(), frame + 1);
    EXPECT_EQ(clock.sleeps, sleeps);
    EXPECT_GE(clock.Now(), deadline);
    EXPECT_LT(clock.Now(), deadline + std::chrono::microseconds(200));
    // Behind by a stall, a turn shows the frame due at once.
    clock.now += 3 * period;
    EXPECT_EQ(show.PlaybackTurn(), PacerClock::Duration::zero());
    EXPECT_EQ(show.GetFrame(), frame + 4);
}

// The first paint on a new screen costs several frames: the show's clock
// starts only once the first frame is on the screen, so none comes late.
TEST_F(ShowWndTest, TheShowsClockStartsOnceItsFirstFrameIsOnTheScreen) {
    ShowWnd& show = StartShow();
    EXPECT_TRUE(show.IsPlaying());
    clock.now += std::chrono::seconds(1);
    EXPECT_EQ(show.PlaybackTurn(), ShowWnd::FirstFrameWait);
    EXPECT_EQ(show.GetFrame(), 0u) << "the frame moved before it was shown";
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&show));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const PacerClock::TimePoint shown = clock.Now();
    while (show.PlaybackTurn() > PacerClock::Duration::zero()) {
        clock.now += std::chrono::milliseconds(1);
    }
    EXPECT_EQ(show.GetFrame(), 1u);
    EXPECT_LT(clock.Now() - shown, std::chrono::milliseconds(40));

    // Paused before it began, it stays on the first frame.
    QTest::keyClick(&show, Qt::Key_Escape);
    ShowWnd& again = StartShow();
    QTest::keyClick(&again, Qt::Key_Space);
    EXPECT_FALSE(again.IsPlaying());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    QCoreApplication::processEvents();
    EXPECT_FALSE(again.IsPlaying());
    EXPECT_EQ(again.GetFrame(), 0u);
}

TEST_F(ShowWndTest, ANewDocumentOrClosingTheEditorEndsTheShow) {
    StartShow();
    window->OnCommand(IdNew);
    EXPECT_FALSE(window->IsShowing());
    StartShow();
    window->close();
    EXPECT_FALSE(window->IsShowing());
}

TEST_F(ShowWndTest, TheMenuListsTheScreensAndTheChoiceIsRemembered) {
    const QList<QScreen*> screens = QGuiApplication::screens();
    ASSERT_EQ(screens.size(), 1);
    window->UpdateMenuState();
    EXPECT_EQ(window->Action(IdShowOnProjector)->text(), QStringLiteral("&Start Show\tF11"));
    const QSize size = screens[0]->size();
    EXPECT_EQ(window->Action(IdShowScreen1)->text(), QStringLiteral("&1 %1 (%2 \u00d7 %3)")
                                                         .arg(screens[0]->name())
                                                         .arg(size.width())
                                                         .arg(size.height()));
    EXPECT_TRUE(window->Action(IdShowScreen1)->isChecked()) << "the only screen is the one used";
    EXPECT_FALSE(window->Action(IdShowScreen1 + 1)->isVisible());

    window->OnCommand(IdShowScreen1);
    EXPECT_TRUE(window->IsShowing());
    EXPECT_EQ(LastShowScreen(window->Settings()).name, screens[0]->name());
    EXPECT_EQ(LastShowScreen(window->Settings()).number, 1u);
    // A screen the desktop no longer has starts nothing.
    window->Show()->End();
    window->OnCommand(IdShowScreen8);
    EXPECT_FALSE(window->IsShowing());
    // A screen remembered that has gone leaves the choice to the others.
    EXPECT_EQ(ChooseShowScreen(screens, {QStringLiteral("gone"), 1}, screens[0]), screens[0]);
    EXPECT_EQ(ChooseShowScreen({}, {}, nullptr), nullptr);
}

} // namespace
} // namespace vel::lumo::test
