#pragma once

#include "apps/lumo/panes/Pane.h"
#include "apps/lumo/panes/ViewWithSelection.h"

#include <cstdint>

namespace vel::lumo {

// The large pane that shows the pumpkin at the current frame, where shapes are
// drawn and reshaped with the mouse.
class PreviewWnd : public Pane, public ViewWithSelection {
public:
    PreviewWnd(QWidget* parent, PaneHost* host);

    uint32_t GetFrame() const { return frame_; }
    // The main window's frame cursor; repaints when it moved.
    void SetFrame(uint32_t frame);

private:
    uint32_t frame_ = 0;
};

} // namespace vel::lumo
