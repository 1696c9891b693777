#include "apps/lumo/panes/PreviewDragging.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/View.h"
#include "apps/lumo/panes/PreviewWnd.h"

#include <algorithm>

namespace vel::lumo {

PreviewDragging::PreviewDragging(PreviewWnd* pane, LumoDocument* document)
    : Dragging(pane), pane_(pane), document_(document), previousCursor_(pane->cursor()) {
    pane_->setCursor(Qt::SizeAllCursor);
}

PreviewDragging::~PreviewDragging() {
    pane_->setCursor(previousCursor_);
}

Point PreviewDragging::ToModel(QPoint position) const {
    return pane_->ClientToModel({std::clamp(position.x(), 0, pane_->width()),
                                 std::clamp(position.y(), 0, pane_->height())});
}

void PreviewDragging::NotifyModel() const {
    document_->Notify(ChangeBits::Model);
}

} // namespace vel::lumo
