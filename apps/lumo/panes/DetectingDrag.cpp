#include "apps/lumo/panes/DetectingDrag.h"

#include <QApplication>

namespace vel::lumo {

DetectingDrag::DetectingDrag(QWidget* pane, QPoint press, std::function<void(QPoint)> onDrag,
                             std::function<void()> onClick)
    : Dragging(pane), press_(press), onDrag_(std::move(onDrag)), onClick_(std::move(onClick)) {}

void DetectingDrag::OnMouseMove(QPoint p) {
    if ((p - press_).manhattanLength() >= QApplication::startDragDistance()) {
        onDrag_(p);
    }
}

void DetectingDrag::OnLButtonUp(QPoint) {
    onClick_();
}

} // namespace vel::lumo
