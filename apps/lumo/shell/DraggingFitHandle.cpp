#include "apps/lumo/shell/DraggingFitHandle.h"

#include "apps/lumo/document/FitEdits.h"
#include "apps/lumo/document/LumoDocument.h"

#include <algorithm>

namespace vel::lumo {

DraggingFitHandle::DraggingFitHandle(QWidget* window, LumoDocument* document,
                                     const FitOnScreen& place, std::size_t handle, QPoint press)
    : Dragging(window), window_(window), document_(document), place_(place), handle_(handle),
      press_(press),
      grab_(place.ToScreen(document->GetFit().GetHandle(handle).value_or(FitPoint{})) -
            QPointF(press)),
      start_(document->GetFit()) {}

FitPoint DraggingFitHandle::Target(QPoint p) const {
    const QPoint inside(std::clamp(p.x(), 0, window_->width()),
                        std::clamp(p.y(), 0, window_->height()));
    return place_.ToFit(QPointF(inside) + grab_);
}

void DraggingFitHandle::OnMouseMove(QPoint p) {
    PumpkinFit live = start_;
    if (live.MoveHandle(handle_, Target(p))) {
        document_->SetFit(live);
    }
}

void DraggingFitHandle::OnCancel() {
    if (document_->GetFit() != start_) {
        document_->SetFit(start_);
    }
}

// A click that did not move leaves the fit as it was: putting a grid handle
// back where it shows could round it by a hair and record a step of nothing.
void DraggingFitHandle::OnLButtonUp(QPoint p) {
    OnCancel();
    if (p != press_) {
        MoveFitHandle(*document_, handle_, Target(p));
    }
}

} // namespace vel::lumo
