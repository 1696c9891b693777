#pragma once

#include "apps/lumo/model/PumpkinFit.h"
#include "apps/lumo/shell/FitOnScreen.h"
#include "wingui/DragState.h"

#include <cstddef>

namespace vel::lumo {

class LumoDocument;

// Drags one handle of the fit on the show window: the face follows the
// mouse live, and the drop records the whole move as one step. The handle
// keeps its distance from the pointer where it was taken, so taking it
// does not make it jump.
class DraggingFitHandle : public wingui::Dragging {
public:
    DraggingFitHandle(QWidget* window, LumoDocument* document, const FitOnScreen& place,
                      std::size_t handle, QPoint press);

    void OnMouseMove(QPoint p) override;
    void OnCancel() override;
    void OnLButtonUp(QPoint p) override;

private:
    // Where the handle goes for a pointer at p, held inside the window.
    FitPoint Target(QPoint p) const;

    QWidget* window_;
    LumoDocument* document_;
    FitOnScreen place_;
    std::size_t handle_;
    QPoint press_;
    QPointF grab_;
    PumpkinFit start_;
};

} // namespace vel::lumo
