#include "wingui/DragController.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>
#include <string>

namespace vel::wingui {
namespace {

// A gesture that writes down what reached it.
class Recording final : public DragState {
public:
    explicit Recording(std::string& log) : log_(&log) {}
    bool IsDragging() const override { return true; }
    void OnCancel() override { *log_ += "cancel "; }
    void OnLButtonUp(QPoint p) override { *log_ += "up" + std::to_string(p.x()) + " "; }
    void OnMouseMove(QPoint p) override { *log_ += "move" + std::to_string(p.x()) + " "; }
    void OnTimer() override { *log_ += "tick "; }

private:
    std::string* log_;
};

QMouseEvent Mouse(QEvent::Type type, int x, Qt::MouseButton button) {
    return {type, QPointF(x, 0), QPointF(x, 0), button, Qt::NoButton, Qt::NoModifier};
}

TEST(DragController, ForwardsWhatBelongsToTheGestureAndLeavesTheRestToTheWindow) {
    DragController drag;
    QMouseEvent idleMove = Mouse(QEvent::MouseMove, 1, Qt::NoButton);
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    EXPECT_FALSE(drag.Forward(idleMove)) << "a move while idle is the window's own";
    EXPECT_FALSE(drag.Forward(escape)) << "Escape with no gesture goes on to the window";

    std::string log;
    drag.SetState(std::make_unique<Recording>(log));
    QMouseEvent move = Mouse(QEvent::MouseMove, 5, Qt::NoButton);
    QMouseEvent rightUp = Mouse(QEvent::MouseButtonRelease, 6, Qt::RightButton);
    QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier);
    QEvent tick(QEvent::Timer);
    EXPECT_TRUE(drag.Forward(move));
    EXPECT_FALSE(drag.Forward(rightUp));
    EXPECT_FALSE(drag.Forward(letter));
    EXPECT_FALSE(drag.Forward(tick));
    QMouseEvent leftUp = Mouse(QEvent::MouseButtonRelease, 7, Qt::LeftButton);
    EXPECT_TRUE(drag.Forward(leftUp));
    EXPECT_FALSE(drag.IsDragging());
    EXPECT_EQ(log, "move5 tick up7 ");

    log.clear();
    drag.SetState(std::make_unique<Recording>(log));
    EXPECT_TRUE(drag.Forward(escape));
    drag.SetState(std::make_unique<Recording>(log));
    QEvent deactivate(QEvent::WindowDeactivate);
    EXPECT_FALSE(drag.Forward(deactivate));
    EXPECT_FALSE(drag.IsDragging());
    EXPECT_EQ(log, "cancel cancel ");
}

} // namespace
} // namespace vel::wingui
