#include "apps/lumo/panes/DraggingOffset.h"

#include "apps/lumo/document/LumoDocument.h"

namespace vel::lumo {

DraggingOffset::DraggingOffset(PreviewWnd* pane, LumoDocument* document, QPoint start)
    : PreviewDragging(pane, document), last_(ToModel(start)) {}

void DraggingOffset::OnMouseMove(QPoint p) {
    const Point position = ToModel(p);
    const float dx = position.x - last_.x;
    const float dy = position.y - last_.y;
    if (Move(dx, dy)) {
        NotifyModel();
    }
    total_ = {total_.x + dx, total_.y + dy};
    last_ = position;
}

void DraggingOffset::OnCancel() {
    if (Move(-total_.x, -total_.y)) {
        NotifyModel();
    }
    total_ = {0.0f, 0.0f};
}

void DraggingOffset::OnLButtonUp(QPoint p) {
    OnMouseMove(p);
    const Point total = total_;
    OnCancel();
    Record(total.x, total.y);
}

} // namespace vel::lumo
