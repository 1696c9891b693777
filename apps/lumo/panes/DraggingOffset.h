#pragma once

#include "apps/lumo/panes/PreviewDragging.h"

namespace vel::lumo {

// Drags a group of points by the mouse's offset: each move adds the step
// since the last position; the drop records the whole offset as one command,
// even when it is zero.
class DraggingOffset : public PreviewDragging {
public:
    DraggingOffset(PreviewWnd* pane, LumoDocument* document, QPoint start);

    void OnMouseMove(QPoint p) override;
    void OnCancel() override;
    void OnLButtonUp(QPoint p) override;

protected:
    // Moves the points live; answers whether anything changed.
    virtual bool Move(float dx, float dy) = 0;
    // Records the whole offset as one undo step.
    virtual void Record(float dx, float dy) const = 0;

private:
    Point last_;
    Point total_{0.0f, 0.0f};
};

} // namespace vel::lumo
