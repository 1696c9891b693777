#include "apps/lumo/panes/DraggingFrameCursor.h"

#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/TimelineWnd.h"

namespace vel::lumo {

DraggingFrameCursor::DraggingFrameCursor(TimelineWnd* pane, std::uint32_t pressedFrame)
    : Dragging(pane), pane_(pane), frameAtStart_(pane->GetFrame()) {
    MoveTo(pressedFrame);
}

void DraggingFrameCursor::OnMouseMove(QPoint p) {
    const TimelineHit hit = pane_->HitTest(p);
    if (hit.frameValid) {
        MoveTo(hit.frame);
    }
}

void DraggingFrameCursor::OnCancel() {
    MoveTo(frameAtStart_);
}

void DraggingFrameCursor::MoveTo(std::uint32_t frame) const {
    if (pane_->GetFrame() != frame) {
        pane_->Host()->RequestFrame(frame);
    }
}

} // namespace vel::lumo
