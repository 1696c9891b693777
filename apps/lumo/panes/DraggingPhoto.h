#pragma once

#include "apps/lumo/model/Point.h"
#include "apps/lumo/model/TracingPhoto.h"
#include "apps/lumo/panes/PreviewDragging.h"

namespace vel::lumo {

// Moves the photo to trace with the mouse, under the shapes: the photo
// follows live, and the drop records the whole move as one step.
class DraggingPhoto : public PreviewDragging {
public:
    DraggingPhoto(PreviewWnd* pane, LumoDocument* document, QPoint start);

    void OnMouseMove(QPoint p) override;
    void OnCancel() override;
    void OnLButtonUp(QPoint p) override;

private:
    Point start_;
    Point offset_;
    TracingPhoto startPhoto_;
};

} // namespace vel::lumo
