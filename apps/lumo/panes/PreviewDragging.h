#pragma once

#include "apps/lumo/model/Point.h"
#include "wingui/DragState.h"

#include <QCursor>

namespace vel::lumo {

class LumoDocument;
class PreviewWnd;

// What the preview's drags share: they change the document's model live
// while the mouse moves, show the move cursor, and read every mouse position
// pinned inside the pane, so a point dragged off the pane stays at its edge,
// at whatever zoom the pane shows.
class PreviewDragging : public wingui::Dragging {
public:
    PreviewDragging(PreviewWnd* pane, LumoDocument* document);
    ~PreviewDragging() override;

protected:
    LumoDocument& Document() const { return *document_; }
    // The client position, held inside the pane, in model space.
    Point ToModel(QPoint position) const;
    // Tells the views that the model moved under them.
    void NotifyModel() const;

private:
    PreviewWnd* pane_;
    LumoDocument* document_;
    QCursor previousCursor_;
};

} // namespace vel::lumo
