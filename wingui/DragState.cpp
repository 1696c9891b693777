#include "wingui/DragState.h"

namespace vel::wingui {

Dragging::Dragging(QWidget* window) : window_(window) {
    if (window_ && window_->isVisible()) {
        window_->grabMouse();
    }
}

Dragging::~Dragging() {
    ReleaseMouse();
}

// releaseMouse only lets go when this window still holds the grab, so a state
// that handed the mouse on leaves the new holder alone.
void Dragging::ReleaseMouse() {
    if (window_) {
        window_->releaseMouse();
    }
    window_ = nullptr;
}

} // namespace vel::wingui
