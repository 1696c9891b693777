#include "wingui/DragController.h"

#include <utility>

namespace vel::wingui {

DragController::DragController() : state_(std::make_unique<NotDragging>()) {}

void DragController::SetState(std::unique_ptr<DragState> state) {
    std::unique_ptr<DragState> old = std::move(state_);
    state_ = state ? std::move(state) : std::make_unique<NotDragging>();
}

void DragController::MouseMove(QPoint p) {
    state_->OnMouseMove(p);
}

// The ending state is taken out first: its handler may fire a command whose
// handler in turn starts or cancels a gesture on this window.
void DragController::LButtonUp(QPoint p) {
    std::unique_ptr<DragState> ending = std::exchange(state_, std::make_unique<NotDragging>());
    ending->OnLButtonUp(p);
}

void DragController::CancelMode() {
    std::unique_ptr<DragState> ending = std::exchange(state_, std::make_unique<NotDragging>());
    ending->OnCancel();
}

void DragController::Timer() {
    state_->OnTimer();
}

bool DragController::Escape() {
    if (!state_->IsDragging())
        return false;
    CancelMode();
    return true;
}

} // namespace vel::wingui
