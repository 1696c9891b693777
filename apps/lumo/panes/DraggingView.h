#pragma once

#include "apps/lumo/panes/PreviewZoom.h"
#include "wingui/DragState.h"

#include <QCursor>

namespace vel::lumo {

class PreviewWnd;

// Pans the preview's picture with the mouse; the model is not touched.
// Escape puts the picture back where the pan started.
class DraggingView : public wingui::Dragging {
public:
    DraggingView(PreviewWnd* pane, QPoint start);
    ~DraggingView() override;

    void OnMouseMove(QPoint p) override;
    void OnLButtonUp(QPoint p) override;
    void OnCancel() override;

private:
    PreviewWnd* pane_;
    QPoint start_;
    PreviewZoom startZoom_;
    QCursor previousCursor_;
};

} // namespace vel::lumo
