#include "apps/lumo/panes/PreviewWnd.h"

namespace vel::lumo {

PreviewWnd::PreviewWnd(QWidget* parent, PaneHost* host)
    : Pane(parent, host, QStringLiteral("Preview"), FocusClick::Eaten), ViewWithSelection(host) {}

void PreviewWnd::SetFrame(uint32_t frame) {
    if (frame != frame_) {
        frame_ = frame;
        update();
    }
}

} // namespace vel::lumo
