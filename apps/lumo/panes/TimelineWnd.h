#pragma once

#include "apps/lumo/panes/Pane.h"

#include <cstdint>

namespace vel::lumo {

// Time from left to right: the audio strip, the ruler and one row of anchors
// per knob, with the frame cursor.
class TimelineWnd : public Pane {
public:
    TimelineWnd(QWidget* parent, PaneHost* host);

    uint32_t GetFrame() const { return frame_; }
    // The main window's frame cursor; repaints when it moved.
    void SetFrame(uint32_t frame);

private:
    uint32_t frame_ = 0;
};

} // namespace vel::lumo
