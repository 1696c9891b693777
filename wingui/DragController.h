#pragma once

#include "wingui/DragState.h"

#include <QPoint>
#include <memory>
#include <vector>

class QEvent;

namespace vel::wingui {

// What a window that uses drag states does with its mouse, timer, cancel and
// Escape events: it owns the current state and hands each event to it.
class DragController {
public:
    // Hands the gesture what belongs to it: mouse moves, the left button's
    // release, Escape, timer ticks and the loss of the activation. Answers
    // whether the event was the gesture's alone, so the window does no more
    // with it; a move while idle is the window's own (for its cursor, say).
    bool Forward(QEvent& event);

    DragController();

    // The new state is made before the old one is destroyed.
    void SetState(std::unique_ptr<DragState> state);
    bool IsDragging() const { return state_->IsDragging(); }

    void MouseMove(QPoint p);
    void LButtonUp(QPoint p);
    void CancelMode();
    void Timer();
    // Escape cancels a gesture in progress; answers whether it did.
    bool Escape();

private:
    template <class Call> void Run(DragState& state, Call call);
    void Retire(std::unique_ptr<DragState> state);

    std::unique_ptr<DragState> state_;
    // States replaced while one of their handlers runs, destroyed when it returns.
    std::vector<std::unique_ptr<DragState>> retired_;
    int depth_ = 0;
};

} // namespace vel::wingui
