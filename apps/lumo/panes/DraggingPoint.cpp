#include "apps/lumo/panes/DraggingPoint.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/ShapeEdits.h"

namespace vel::lumo {

DraggingPoint::DraggingPoint(PreviewWnd* pane, LumoDocument* document, std::uint64_t shape,
                             std::uint64_t pose, std::uint64_t index)
    : PreviewDragging(pane, document), shape_(shape), pose_(pose), index_(index),
      start_(document->GetPoint(shape, pose, index)) {}

void DraggingPoint::OnMouseMove(QPoint p) {
    Document().GetModel().SetPoint(shape_, pose_, index_, ToModel(p));
    NotifyModel();
}

void DraggingPoint::OnCancel() {
    Document().GetModel().SetPoint(shape_, pose_, index_, start_);
    NotifyModel();
}

void DraggingPoint::OnLButtonUp(QPoint p) {
    OnCancel();
    MovePoint(Document(), shape_, pose_, index_, ToModel(p));
}

} // namespace vel::lumo
