#include "apps/lumo/panes/DraggingView.h"

#include "apps/lumo/panes/PreviewWnd.h"

namespace vel::lumo {

DraggingView::DraggingView(PreviewWnd* pane, QPoint start)
    : Dragging(pane), pane_(pane), start_(start), startZoom_(pane->Zoom()),
      previousCursor_(pane->cursor()) {
    pane_->setCursor(Qt::ClosedHandCursor);
}

DraggingView::~DraggingView() {
    pane_->setCursor(previousCursor_);
}

void DraggingView::OnMouseMove(QPoint p) {
    pane_->Pan(startZoom_, p - start_);
}

void DraggingView::OnLButtonUp(QPoint p) {
    OnMouseMove(p);
}

void DraggingView::OnCancel() {
    pane_->SetZoom(startZoom_);
}

} // namespace vel::lumo
