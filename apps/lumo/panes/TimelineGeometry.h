#pragma once

#include "apps/lumo/model/Knob.h"
#include "graphics/GraphicsTypes.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vel::lumo {

class KnobTimeline;

// What lies under a point of the timeline.
struct TimelineHit {
    bool inAudioStrip = false;
    bool rowValid = false;
    std::size_t row = 0;
    bool frameValid = false;
    std::uint32_t frame = 0;
    bool valueValid = false;
    float value = 0.0f;
    bool anchorExists = false;
};

// Where everything of the timeline sits, in device-independent pixels with
// y downward: the audio strip on top, the ruler below it, then one row per
// knob; frame f at x = f × frame width − horizontal scroll. Offsets are
// doubles so that frames near the end of the 32-bit range still land on
// whole pixels.
class TimelineGeometry {
public:
    static constexpr float AudioHeight = 72.0f;
    static constexpr float MinFrameWidth = 2.0f;
    static constexpr float MaxFrameWidth = 48.0f;

    float frameWidth = 16.0f;
    double hScroll = -16.0;
    double vScroll = 0.0;
    float clientWidth = 0.0f;
    float clientHeight = 0.0f;
    float vBarWidth = 16.0f;
    float hBarHeight = 16.0f;
    bool touch = false;
    std::size_t rows = 0;

    float ViewWidth() const;
    float ViewHeight() const;
    float RulerTop() const { return AudioHeight; }
    float RulerHeight() const;
    float RowsTop() const { return AudioHeight + RulerHeight(); }
    float RowHeight() const;
    float Margin() const { return hBarHeight / 2.0f; }
    float LineStep() const { return RowHeight() / 6.0f; }
    float RowTop(std::size_t row) const;

    // The vertical scroll that shows the whole row, moving the view as
    // little as it can; the row's top when the row is taller than the view.
    double ScrollShowing(std::size_t row) const;

    float FrameX(std::uint32_t frame) const;
    // The frame whose tick is nearest to x, 0 left of frame 0, and the last
    // frame beyond the 32-bit range.
    std::uint32_t FrameAt(double x) const;
    // The frame at the view's right edge.
    std::uint32_t RightEdgeFrame() const;

    // The knob's min end sits on the row's bottom margin, its max end on the
    // top margin, whichever is the larger number.
    float ValueY(const Knob& knob, std::size_t row, float value) const;
    // The value at y, with y kept inside the row's margins.
    float YValue(const Knob& knob, std::size_t row, float y) const;

    TimelineHit HitTest(graphics::PointF p, const std::vector<Knob>& knobs,
                        const KnobTimeline& timeline) const;

    // The frame width after s zoom steps in (out when negative); 0 is the
    // reset to the scroll bar's width. Kept within the limits.
    float ZoomedWidth(int steps) const;
};

} // namespace vel::lumo
