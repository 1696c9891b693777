#include "apps/lumo/panes/PreviewDragging.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/View.h"
#include "apps/lumo/render/TargetMapping.h"

#include <QWidget>
#include <algorithm>

namespace vel::lumo {

PreviewDragging::PreviewDragging(QWidget* pane, LumoDocument* document)
    : Dragging(pane), pane_(pane), document_(document), previousCursor_(pane->cursor()) {
    pane_->setCursor(Qt::SizeAllCursor);
}

PreviewDragging::~PreviewDragging() {
    pane_->setCursor(previousCursor_);
}

Point PreviewDragging::ToModel(QPoint position) const {
    const float x = static_cast<float>(std::clamp(position.x(), 0, pane_->width()));
    const float y = static_cast<float>(std::clamp(position.y(), 0, pane_->height()));
    return TargetMapping(static_cast<float>(pane_->width()), static_cast<float>(pane_->height()))
        .ToModel({x, y});
}

void PreviewDragging::NotifyModel() const {
    document_->Notify(ChangeBits::Model);
}

} // namespace vel::lumo
