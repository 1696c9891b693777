#include "apps/lumo/panes/TimelineWnd.h"

namespace vel::lumo {

TimelineWnd::TimelineWnd(QWidget* parent, PaneHost* host)
    : Pane(parent, host, QStringLiteral("Timeline"), FocusClick::Eaten) {}

void TimelineWnd::SetFrame(uint32_t frame) {
    if (frame != frame_) {
        frame_ = frame;
        update();
    }
}

} // namespace vel::lumo
