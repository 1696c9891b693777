#include "apps/lumo/shell/StatusLine.h"

#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/panes/TransportBar.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/ToolTips.h"

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTimer>

namespace vel::lumo::test {
namespace {

class StatusLineTest : public ShellTest {
protected:
    void SetUp() override {
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
    }
    std::string Hint() const { return window->Status()->HintText().toStdString(); }
};

TEST_F(StatusLineTest, TheHintFollowsTheMouseFromPaneToPaneAndTheFocus) {
    PreviewWnd* preview = window->Preview();
    preview->setFocus();
    const QPoint centre = preview->rect().center();
    QTest::mouseMove(preview, centre);
    EXPECT_EQ(Hint(), "Click: place the first point of a shape \u00B7 Ctrl+wheel: zoom");

    // The first click on the unfocused preview only activates it; the hint
    // says so as soon as the focus leaves.
    window->Timeline()->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(Hint(), ActivateHint("preview"));

    TimelineWnd* timeline = window->Timeline();
    const TimelineGeometry& geometry = timeline->Geometry();
    const QPoint onRow(qRound(geometry.FrameX(42)),
                       qRound(geometry.RowTop(0) + geometry.RowHeight() / 2));
    QTest::mouseMove(timeline, onRow);
    const std::string knob = timeline->Rows().at(0).name;
    EXPECT_EQ(Hint(), "Click: set a spider on " + knob +
                          " at 00:01;12 \u00B7 Drag a spider: change its value");
    EXPECT_EQ(window->Status()->ValueText().toStdString().rfind(knob + ": ", 0), 0u);

    QTest::mouseMove(timeline, {onRow.x(), qRound(geometry.RulerTop() + 2)});
    EXPECT_EQ(Hint(), "Click or drag: move the frame cursor \u00B7 Ctrl+wheel: zoom");
    EXPECT_EQ(window->Status()->ValueText(), QString());
}

TEST_F(StatusLineTest, TheHintChangesWithShiftWhileTheMouseRests) {
    PreviewWnd* preview = window->Preview();
    preview->setFocus();
    const QPoint centre = preview->rect().center();
    for (const QPoint corner : {QPoint(-60, 50), QPoint(60, 50), QPoint(0, -60)}) {
        QTest::mouseClick(preview, Qt::LeftButton, {}, centre + corner);
    }
    LumoDocument& document = *window->GetDocument();
    ASSERT_EQ(document.GetPosePoints(0, 0).size(), 3u);
    ASSERT_TRUE(document.Execute(SetShapeNameCmd(&document, 0, "Mouth")));
    QTest::mouseMove(preview, centre);
    EXPECT_EQ(Hint().rfind("Click: add a point to Mouth", 0), 0u) << Hint();
    QTest::keyPress(preview, Qt::Key_Shift, Qt::ShiftModifier);
    QApplication::processEvents();
    EXPECT_EQ(Hint(), "Shift+drag: move Mouth \u00B7 Right-click: shape menu");
    QTest::keyRelease(preview, Qt::Key_Shift, Qt::NoModifier);
    QApplication::processEvents();
    EXPECT_EQ(Hint().rfind("Click: add a point to Mouth", 0), 0u) << Hint();
}

TEST_F(StatusLineTest, TheFrameAndTimecodeFollowTheCursor) {
    window->SetFrame(42);
    EXPECT_EQ(window->Status()->FrameText(), QStringLiteral("Frame 42 \u00B7 00:01;12"));
    window->OnCommand(IdHome);
    EXPECT_EQ(window->Status()->FrameText(), QStringLiteral("Frame 0 \u00B7 00:00;00"));
}

TEST_F(StatusLineTest, ViewStatusBarTogglesTheBarAndTheNextWindowRemembers) {
    ASSERT_FALSE(window->statusBar()->isHidden());
    window->OnCommand(IdStatusBar);
    EXPECT_TRUE(window->statusBar()->isHidden());
    EXPECT_EQ(window->Settings().ReadDwordValue(QStringLiteral("StatusBar")), 0u);
    window->UpdateMenuState();
    EXPECT_FALSE(window->Action(IdStatusBar)->isChecked());
    EXPECT_TRUE(LumoWnd(&clock).statusBar()->isHidden());

    window->OnCommand(IdStatusBar);
    EXPECT_FALSE(window->statusBar()->isHidden());
    EXPECT_FALSE(LumoWnd(&clock).statusBar()->isHidden());
}

TEST_F(StatusLineTest, EveryTransportButtonExplainsItselfAndNamesItsKey) {
    const TransportBar* bar = window->Transport();
    ASSERT_EQ(bar->Buttons().size(), 6u);
    for (const wingui::Button& button : bar->Buttons()) {
        const QString tip = vel::testing::ToolTipAt(window->Transport(), button.rect.center());
        EXPECT_EQ(tip, button.tip);
        EXPECT_TRUE(tip.endsWith(QLatin1Char(')'))) << tip.toStdString();
    }
    EXPECT_TRUE(bar->Buttons()[TransportBar::PlayButton].tip.contains(QStringLiteral("(F5)")));
}

// Ctrl+0 resets the zoom of the pane it is typed in: the preview shows the
// whole picture, the timeline keeps the key for its own zoom.
TEST_F(StatusLineTest, FitPreviewShowsTheWholePictureAgain) {
    window->Preview()->ZoomAt({10, 10}, 4.0);
    window->Timeline()->setFocus();
    QTest::keyClick(window->Timeline(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_FALSE(window->Preview()->Zoom().IsFit());
    window->Preview()->setFocus();
    QTest::keyClick(window->Preview(), Qt::Key_0, Qt::ControlModifier);
    EXPECT_TRUE(window->Preview()->Zoom().IsFit());
    window->Preview()->ZoomAt({10, 10}, 4.0);
    window->Action(IdFitPreview)->trigger();
    EXPECT_TRUE(window->Preview()->Zoom().IsFit());
}

TEST_F(StatusLineTest, TheRulerAndTheFrameSayWhatATimecodeMeans) {
    TimelineWnd* timeline = window->Timeline();
    const TimelineGeometry& geometry = timeline->Geometry();
    const int x = qRound(geometry.FrameX(42));
    EXPECT_TRUE(testing::ToolTipAt(timeline, {x, qRound(geometry.RulerTop() + 2)})
                    .contains("seconds;frames"));
    EXPECT_EQ(
        testing::ToolTipAt(timeline, {x, qRound(geometry.RowTop(0) + geometry.RowHeight() / 2)}),
        QString());
    const auto* frame = window->findChild<QLabel*>(QStringLiteral("frame"));
    ASSERT_TRUE(frame);
    EXPECT_TRUE(frame->toolTip().contains("seconds;frames"));
}

// Shows each dialog modally for a moment, as a user who looks and cancels.
class GlancingRunner : public wingui::DialogRunner {
public:
    int Run(QDialog& dialog) override {
        QTimer::singleShot(50, &dialog, &QDialog::reject);
        return dialog.exec();
    }

private:
    testing::InstalledRunner<DialogRunner> installed_{this};
};

// The window system may deliver the click that brings the window back before
// the window has the focus again: the pane active before is active still.
TEST_F(StatusLineTest, ThePaneActiveBeforeAnotherWindowIsActiveWhileItIsAway) {
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    PreviewWnd* preview = window->Preview();
    ASSERT_TRUE(preview->hasFocus());
    window->OnCommand(IdTutorial);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window->isActiveWindow(); }));
    const QPoint centre = preview->rect().center();
    QTest::mouseMove(preview, centre);
    EXPECT_NE(Hint(), ActivateHint("preview"));
    EXPECT_TRUE(preview->IsActive());
    // Back again, the window manager may hand the focus to the window itself.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->setFocus(Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(preview->hasFocus());

    TimelineWnd* timeline = window->Timeline();
    timeline->setFocus();
    {
        GlancingRunner runner;
        window->OnCommand(IdAddBlinks);
    }
    EXPECT_TRUE(timeline->IsActive());
    EXPECT_FALSE(preview->IsActive());
}

} // namespace
} // namespace vel::lumo::test
