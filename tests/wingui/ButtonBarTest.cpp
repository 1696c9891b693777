#include "wingui/ButtonBar.h"

#include "tests/support/ToolTips.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>
#include <vector>

namespace vel::wingui {
namespace {

// A drag state of the parent that records what the joystick feeds it.
struct RecordedHandler : DragState {
    std::vector<QPoint>* moves;
    QPoint* releasedAt;
    bool* cancelled;
    bool IsDragging() const override { return true; }
    void OnCancel() override { *cancelled = true; }
    void OnLButtonUp(QPoint p) override { *releasedAt = p; }
    void OnMouseMove(QPoint p) override { moves->push_back(p); }
};

class Parent : public QWidget, public ButtonBarTarget {
public:
    std::vector<std::uint32_t> commands;
    std::vector<int> keys;
    std::vector<QPoint> joystickMoves;
    QPoint joystickRelease{-1, -1};
    bool joystickCancelled = false;
    QPoint joystickStart{0, 0};
    bool answerJoystick = true;
    ButtonBar* cancelOnCommand = nullptr;
    // Who held the mouse as each command ran.
    std::vector<QWidget*> grabbers;

    void OnBarCommand(std::uint32_t id) override {
        commands.push_back(id);
        grabbers.push_back(QWidget::mouseGrabber());
        if (cancelOnCommand) {
            cancelOnCommand->CancelMode();
        }
    }
    std::unique_ptr<DragState> OnVirtJoystick(std::uint32_t, QPoint& position) override {
        if (!answerJoystick) {
            return nullptr;
        }
        position = joystickStart;
        auto handler = std::make_unique<RecordedHandler>();
        handler->moves = &joystickMoves;
        handler->releasedAt = &joystickRelease;
        handler->cancelled = &joystickCancelled;
        return handler;
    }

protected:
    void keyPressEvent(QKeyEvent* event) override { keys.push_back(event->key()); }
};

class ButtonBarTest : public ::testing::Test {
protected:
    void SetUp() override {
        parent.resize(400, 60);
        bar = new ButtonBar(&parent, &parent);
        bar->setGeometry(0, 0, 400, 24);
        bar->AddButton(301, "Push", ButtonKind::Push);
        bar->AddButton(302, "Repeat", ButtonKind::Autorepeat);
        bar->AddButton(303, "Inert", ButtonKind::Inert);
        bar->AddButton(304, "Stick", ButtonKind::Joystick);
        bar->SetRepeatTiming({150, 10});
        bar->Create();
        parent.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&parent));
        bar->setFocus();
    }
    void TearDown() override {
        if (QTest::currentTestFailed()) {
            return;
        }
        // Leave no button held for the next case.
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(399, 23));
    }

    QPoint Centre(std::size_t i) const { return bar->Buttons()[i].rect.center(); }
    QPoint Outside(std::size_t i) const {
        return bar->Buttons()[i].rect.bottomRight() + QPoint(30, 0);
    }
    const Button& At(std::size_t i) const { return bar->Buttons()[i]; }
    // Holds the button for the given time with the pointer resting at p.
    void HoldFor(int ms, QPoint p) {
        QCursor::setPos(bar->mapToGlobal(p));
        QElapsedTimer clock;
        clock.start();
        while (clock.elapsed() < ms) {
            QTest::qWait(5);
        }
    }

    Parent parent;
    ButtonBar* bar = nullptr;
};

TEST_F(ButtonBarTest, PushButtonFollowsThePointerAndFiresOnceOnlyWhenReleasedInside) {
    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_TRUE(At(0).pressed);
    EXPECT_TRUE(bar->IsDragging());
    QTest::mouseMove(bar, Outside(0));
    EXPECT_FALSE(At(0).pressed);
    QTest::mouseMove(bar, Centre(0));
    EXPECT_TRUE(At(0).pressed);
    EXPECT_TRUE(parent.commands.empty());
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_EQ(parent.commands, std::vector<std::uint32_t>{301});
    EXPECT_FALSE(At(0).pressed);
    EXPECT_FALSE(bar->IsDragging());

    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(0));
    QTest::mouseMove(bar, Outside(0));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Outside(0));
    EXPECT_EQ(parent.commands.size(), 1u);
    EXPECT_FALSE(bar->IsDragging());
}

// A command that opens a modal dialog must leave it the mouse.
TEST_F(ButtonBarTest, AButtonLetsGoOfTheMouseBeforeItsCommandRuns) {
    QCursor::setPos(bar->mapToGlobal(Centre(1)));
    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_EQ(QWidget::mouseGrabber(), bar);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Centre(0));
    QTest::mouseClick(bar, Qt::LeftButton, {}, Centre(1));
    EXPECT_EQ(parent.commands, (std::vector<std::uint32_t>{301, 302}));
    EXPECT_EQ(parent.grabbers, (std::vector<QWidget*>{nullptr, nullptr}));
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
}

TEST_F(ButtonBarTest, InertButtonsAndEmptySpaceIgnoreTheMouse) {
    QTest::mouseClick(bar, Qt::LeftButton, {}, Centre(2));
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(399, 12));
    EXPECT_FALSE(At(2).pressed);
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(ButtonBarTest, AutorepeatFiresOnceForAQuickClickAndNeverOnRelease) {
    QCursor::setPos(bar->mapToGlobal(Centre(1)));
    QTest::mouseClick(bar, Qt::LeftButton, {}, Centre(1));
    QTest::qWait(60);
    EXPECT_EQ(parent.commands, std::vector<std::uint32_t>{302});

    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(1));
    HoldFor(20, Centre(1));
    EXPECT_EQ(parent.commands.size(), 2u);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Centre(1));
    QTest::qWait(60);
    EXPECT_EQ(parent.commands.size(), 2u);
}

TEST_F(ButtonBarTest, AutorepeatRepeatsWhileHeldOverTheButtonOnly) {
    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(1));
    HoldFor(250, Centre(1));
    const std::size_t held = parent.commands.size();
    // 0 ms, 150 ms, then every 10 ms: well above four in a quarter second.
    EXPECT_GE(held, 5u);

    QTest::mouseMove(bar, Outside(1));
    EXPECT_FALSE(At(1).pressed);
    HoldFor(100, Outside(1));
    EXPECT_EQ(parent.commands.size(), held);

    QTest::mouseMove(bar, Centre(1));
    HoldFor(60, Centre(1));
    EXPECT_GT(parent.commands.size(), held);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Centre(1));
}

TEST_F(ButtonBarTest, EscapeCancelsAGestureAndOtherKeysReachTheParent) {
    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(1));
    HoldFor(20, Centre(1));
    QTest::keyClick(bar, Qt::Key_Right);
    EXPECT_EQ(parent.keys, std::vector<int>{Qt::Key_Right});
    EXPECT_TRUE(bar->IsDragging());

    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_FALSE(bar->IsDragging());
    EXPECT_FALSE(At(1).pressed);
    const std::size_t fired = parent.commands.size();
    HoldFor(80, Centre(1));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Centre(1));
    EXPECT_EQ(parent.commands.size(), fired);
    EXPECT_EQ(parent.keys, std::vector<int>{Qt::Key_Right});

    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_EQ(parent.keys, (std::vector<int>{Qt::Key_Right, Qt::Key_Escape}));
}

TEST_F(ButtonBarTest, ACommandMayEndTheGestureThatFiredIt) {
    parent.cancelOnCommand = bar;
    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(1));
    HoldFor(200, Centre(1));
    EXPECT_EQ(parent.commands.size(), 1u);
    EXPECT_FALSE(bar->IsDragging());
    EXPECT_FALSE(At(1).pressed);
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Centre(1));
    EXPECT_EQ(parent.commands.size(), 1u);
}

TEST_F(ButtonBarTest, AnotherWindowTakingTheActivationEndsTheGesture) {
    parent.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&parent));
    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(1));
    HoldFor(20, Centre(1));
    QWidget other;
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_FALSE(bar->IsDragging());
    EXPECT_FALSE(At(1).pressed);
    const std::size_t fired = parent.commands.size();
    HoldFor(60, Centre(1));
    EXPECT_EQ(parent.commands.size(), fired);
}

TEST_F(ButtonBarTest, JoystickMovesAVirtualPointerByTheOffsetFromItsCentre) {
    parent.joystickStart = QPoint(100, 50);
    const Button& stick = At(3);
    const QRect& r = stick.rect;
    const QPoint centre(r.left() + r.width() / 2, r.top() + r.height() / 2);
    QTest::mousePress(bar, Qt::LeftButton, {}, centre);
    HoldFor(30, centre + QPoint(3, -2));
    ASSERT_FALSE(parent.joystickMoves.empty());
    EXPECT_EQ(parent.joystickMoves.front(), QPoint(103, 48));
    for (std::size_t i = 1; i < parent.joystickMoves.size(); ++i) {
        EXPECT_EQ(parent.joystickMoves[i] - parent.joystickMoves[i - 1], QPoint(3, -2));
    }
    EXPECT_TRUE(parent.commands.empty());

    QTest::mouseRelease(bar, Qt::LeftButton, {}, centre);
    EXPECT_EQ(parent.joystickRelease, parent.joystickMoves.back());
    EXPECT_FALSE(parent.joystickCancelled);
    EXPECT_FALSE(At(3).pressed);
}

TEST_F(ButtonBarTest, JoystickCancelReachesTheHandlerAndAnUnansweredJoystickStillPresses) {
    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(3));
    QTest::keyClick(bar, Qt::Key_Escape);
    EXPECT_TRUE(parent.joystickCancelled);

    parent.answerJoystick = false;
    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(3));
    EXPECT_TRUE(At(3).pressed);
    HoldFor(30, Centre(3));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Centre(3));
    EXPECT_FALSE(At(3).pressed);
    EXPECT_TRUE(parent.commands.empty());
}

TEST_F(ButtonBarTest, LayoutGivesEveryButtonWholeSquaresSideBySide) {
    const QFontMetrics system(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    const int m = system.horizontalAdvance('M');
    const int unit = std::max(24, system.height());
    int x = 0;
    for (const Button& b : bar->Buttons()) {
        const int need = QFontMetrics(bar->Font(b.fontIndex)).horizontalAdvance(b.label) + m;
        EXPECT_EQ(b.rect.left(), x);
        EXPECT_EQ(b.rect.top(), 0);
        EXPECT_EQ(b.rect.height(), 24);
        EXPECT_EQ(b.rect.width() % unit, 0);
        EXPECT_GE(b.rect.width(), need);
        EXPECT_LT(b.rect.width() - unit, need);
        x += b.rect.width();
    }
}

TEST_F(ButtonBarTest, AOneGlyphLabelGetsASquareButtonAndANewLabelRelaysTheBar) {
    const QFontMetrics system(QFontDatabase::systemFont(QFontDatabase::GeneralFont));
    ASSERT_LE(system.height(), 24);
    ASSERT_LE(system.horizontalAdvance('M') + QFontMetrics(bar->Font(0)).horizontalAdvance("i"),
              24);
    bar->SetLabel(0, "i");
    EXPECT_EQ(At(0).rect, QRect(0, 0, 24, 24));
    EXPECT_EQ(At(1).rect.left(), 24);
}

TEST_F(ButtonBarTest, APressedButtonIsDrawnDifferently) {
    const QImage raised = bar->grab(At(0).rect).toImage();
    QTest::mousePress(bar, Qt::LeftButton, {}, Centre(0));
    const QImage sunken = bar->grab(At(0).rect).toImage();
    QTest::mouseRelease(bar, Qt::LeftButton, {}, Centre(0));
    EXPECT_NE(raised, sunken);
    EXPECT_EQ(bar->grab(At(0).rect).toImage(), raised);
}

TEST_F(ButtonBarTest, EachButtonShowsItsOwnTipAndOneWithoutATipShowsNone) {
    bar->SetTip(0, QStringLiteral("Pushes (P)"));
    bar->SetTip(3, QStringLiteral("Steers"));
    EXPECT_EQ(testing::ToolTipAt(bar, Centre(0)), QStringLiteral("Pushes (P)"));
    EXPECT_EQ(testing::ToolTipAt(bar, Centre(3)), QStringLiteral("Steers"));
    EXPECT_EQ(testing::ToolTipAt(bar, Centre(1)), QString());
    EXPECT_EQ(testing::ToolTipAt(bar, Outside(3)), QString());
}

TEST_F(ButtonBarTest, RepeatTimingFollowsTheKeyboardDelayAndSpeed) {
    const RepeatTiming slow = RepeatTiming::FromKeyboardSettings(0, 0);
    EXPECT_EQ(slow.delayMs, 250);
    EXPECT_EQ(slow.intervalMs, 405);
    const RepeatTiming fast = RepeatTiming::FromKeyboardSettings(1, 31);
    EXPECT_EQ(fast.delayMs, 500);
    EXPECT_EQ(fast.intervalMs, 33);
    const RepeatTiming clamped = RepeatTiming::FromKeyboardSettings(9, 99);
    EXPECT_EQ(clamped.delayMs, 1000);
    EXPECT_EQ(clamped.intervalMs, 33);
}

} // namespace
} // namespace vel::wingui
