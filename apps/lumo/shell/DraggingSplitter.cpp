#include "apps/lumo/shell/DraggingSplitter.h"

#include <QWidget>

namespace vel::lumo {

DraggingSplitter::DraggingSplitter(QWidget* window, int* xSplit, int* ySplit,
                                   std::function<void()> relayout)
    : Dragging(window), window_(window), previousCursor_(window->cursor()), xSplit_(xSplit),
      ySplit_(ySplit), xStart_(xSplit ? *xSplit : 0), yStart_(ySplit ? *ySplit : 0),
      relayout_(std::move(relayout)) {
    window_->setCursor(CursorFor(xSplit_ != nullptr, ySplit_ != nullptr));
}

DraggingSplitter::~DraggingSplitter() {
    window_->setCursor(previousCursor_);
}

Qt::CursorShape DraggingSplitter::CursorFor(bool vertical, bool horizontal) {
    if (vertical && horizontal) {
        return Qt::SizeAllCursor;
    }
    return vertical ? Qt::SizeHorCursor : Qt::SizeVerCursor;
}

void DraggingSplitter::OnCancel() {
    if (xSplit_ != nullptr) {
        *xSplit_ = xStart_;
    }
    if (ySplit_ != nullptr) {
        *ySplit_ = yStart_;
    }
    relayout_();
}

void DraggingSplitter::OnLButtonUp(QPoint) {}

void DraggingSplitter::OnMouseMove(QPoint p) {
    if (xSplit_ != nullptr) {
        *xSplit_ = p.x();
    }
    if (ySplit_ != nullptr) {
        *ySplit_ = p.y();
    }
    relayout_();
}

} // namespace vel::lumo
