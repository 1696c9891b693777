#include "wingui/DragController.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

namespace vel::wingui {

DragController::DragController() : state_(std::make_unique<NotDragging>()) {}

bool DragController::Forward(QEvent& event) {
    switch (event.type()) {
    case QEvent::MouseMove: {
        const bool dragging = IsDragging();
        MouseMove(static_cast<QMouseEvent&>(event).position().toPoint());
        return dragging;
    }
    case QEvent::MouseButtonRelease: {
        const auto& mouse = static_cast<QMouseEvent&>(event);
        if (mouse.button() != Qt::LeftButton) {
            return false;
        }
        LButtonUp(mouse.position().toPoint());
        return true;
    }
    case QEvent::KeyPress:
        return static_cast<QKeyEvent&>(event).key() == Qt::Key_Escape && Escape();
    case QEvent::Timer:
        Timer();
        return false;
    case QEvent::WindowDeactivate:
        // A window that loses the activation loses its gesture with the mouse,
        // as a held button must not keep firing behind another window.
        CancelMode();
        return false;
    default:
        return false;
    }
}

void DragController::SetState(std::unique_ptr<DragState> state) {
    Retire(std::exchange(state_, state ? std::move(state) : std::make_unique<NotDragging>()));
}

// A handler may fire a command whose handler ends the gesture (a message box
// deactivates the window, say), so a state replaced while any handler runs is
// kept until the outermost handler has returned.
template <class Call> void DragController::Run(DragState& state, Call call) {
    ++depth_;
    call(state);
    if (--depth_ == 0) {
        retired_.clear();
    }
}

void DragController::Retire(std::unique_ptr<DragState> state) {
    retired_.push_back(std::move(state));
    if (depth_ == 0) {
        retired_.clear();
    }
}

void DragController::MouseMove(QPoint p) {
    Run(*state_, [p](DragState& state) { state.OnMouseMove(p); });
}

void DragController::Timer() {
    Run(*state_, [](DragState& state) { state.OnTimer(); });
}

// The ending state is taken out and lets go of the mouse first, so that
// whatever its handler sets off (a modal dialog, say) meets an idle window.
void DragController::LButtonUp(QPoint p) {
    std::unique_ptr<DragState> ending = std::exchange(state_, std::make_unique<NotDragging>());
    ending->ReleaseMouse();
    Run(*ending, [p](DragState& state) { state.OnLButtonUp(p); });
    Retire(std::move(ending));
}

void DragController::CancelMode() {
    std::unique_ptr<DragState> ending = std::exchange(state_, std::make_unique<NotDragging>());
    ending->ReleaseMouse();
    Run(*ending, [](DragState& state) { state.OnCancel(); });
    Retire(std::move(ending));
}

bool DragController::Escape() {
    if (!state_->IsDragging()) {
        return false;
    }
    CancelMode();
    return true;
}

} // namespace vel::wingui
