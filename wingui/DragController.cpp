#include "wingui/DragController.h"

#include <utility>

namespace vel::wingui {

DragController::DragController() : state_(std::make_unique<NotDragging>()) {}

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

// The ending state is taken out first, so that whatever its handler sets off
// meets an idle window.
void DragController::LButtonUp(QPoint p) {
    std::unique_ptr<DragState> ending = std::exchange(state_, std::make_unique<NotDragging>());
    Run(*ending, [p](DragState& state) { state.OnLButtonUp(p); });
    Retire(std::move(ending));
}

void DragController::CancelMode() {
    std::unique_ptr<DragState> ending = std::exchange(state_, std::make_unique<NotDragging>());
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
