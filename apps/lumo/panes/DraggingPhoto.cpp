#include "apps/lumo/panes/DraggingPhoto.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/PhotoEdits.h"

namespace vel::lumo {

DraggingPhoto::DraggingPhoto(PreviewWnd* pane, LumoDocument* document, QPoint start)
    : PreviewDragging(pane, document), start_(ToModel(start)), startPhoto_(document->GetPhoto()) {}

void DraggingPhoto::OnMouseMove(QPoint p) {
    const Point position = ToModel(p);
    offset_ = {position.x - start_.x, position.y - start_.y};
    TracingPhoto photo = startPhoto_;
    TracingPhoto::Placement placement = photo.GetPlacement();
    placement.centre = {placement.centre.x + offset_.x, placement.centre.y + offset_.y};
    if (photo.SetPlacement(placement)) {
        Document().SetPhoto(photo);
    }
}

void DraggingPhoto::OnCancel() {
    Document().SetPhoto(startPhoto_);
    offset_ = {};
}

void DraggingPhoto::OnLButtonUp(QPoint p) {
    OnMouseMove(p);
    const Point offset = offset_;
    OnCancel();
    MovePhoto(Document(), offset.x, offset.y);
}

} // namespace vel::lumo
