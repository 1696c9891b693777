#pragma once

#include "apps/lumo/model/Anchor.h"
#include "apps/lumo/model/KnobKey.h"
#include "wingui/DragState.h"

#include <cstddef>
#include <cstdint>

namespace vel::lumo {

class LumoDocument;
class TimelineWnd;
struct TimelineHit;

// Sets or moves one anchor of one knob row: live while the mouse moves, as
// one undoable step (with the frame cursor landing on the anchor) on release.
// An anchor never lands on another anchor's frame, and the anchor at frame 0
// only changes its value.
class DraggingAnchor : public wingui::Dragging {
public:
    DraggingAnchor(TimelineWnd* pane, const TimelineHit& pressed);
    ~DraggingAnchor() override;

    void OnCancel() override;
    void OnLButtonUp(QPoint p) override;
    void OnMouseMove(QPoint p) override;

private:
    // Moves the live anchor to a new place and tells the views.
    void MoveLive(Anchor to);
    // Puts the timeline and the cursor back as they were at the press.
    void Restore();

    TimelineWnd* pane_;
    LumoDocument* document_;
    std::uint32_t frameAtStart_;
    std::size_t row_;
    KnobKey key_;
    bool existed_;
    Anchor start_;
    Anchor current_;
    bool restored_ = false;
};

} // namespace vel::lumo
