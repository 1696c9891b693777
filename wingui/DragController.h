#pragma once

#include "wingui/DragState.h"

#include <QPoint>
#include <memory>

namespace vel::wingui {

// What a window that uses drag states does with its mouse, timer, cancel and
// Escape events: it owns the current state and hands each event to it.
class DragController {
public:
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
    std::unique_ptr<DragState> state_;
};

} // namespace vel::wingui
