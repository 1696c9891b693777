#pragma once

#include "wingui/DragState.h"

#include <cstdint>

namespace vel::lumo {

class TimelineWnd;

// Moves the frame cursor with the mouse over the ruler, the audio strip or
// below the rows; not recorded in the history. Cancelling puts the cursor
// back.
class DraggingFrameCursor : public wingui::Dragging {
public:
    DraggingFrameCursor(TimelineWnd* pane, std::uint32_t pressedFrame);

    void OnCancel() override;
    void OnLButtonUp(QPoint) override {}
    void OnMouseMove(QPoint p) override;

private:
    void MoveTo(std::uint32_t frame) const;

    TimelineWnd* pane_;
    std::uint32_t frameAtStart_;
};

} // namespace vel::lumo
