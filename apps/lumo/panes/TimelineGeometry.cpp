#include "apps/lumo/panes/TimelineGeometry.h"

#include "apps/lumo/model/KnobTimeline.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vel::lumo {

namespace {

constexpr double LastFrame = std::numeric_limits<std::uint32_t>::max();

} // namespace

float TimelineGeometry::ViewWidth() const {
    return clientWidth - vBarWidth;
}

float TimelineGeometry::ViewHeight() const {
    return clientHeight - hBarHeight;
}

float TimelineGeometry::RulerHeight() const {
    return hBarHeight * (touch ? 2.0f : 1.5f);
}

float TimelineGeometry::RowHeight() const {
    const float available = ViewHeight() - RowsTop();
    const float low = touch ? 192.0f : 96.0f;
    const float height = available / static_cast<float>(std::max<std::size_t>(rows, 1));
    return std::clamp(height, low, low + 96.0f);
}

float TimelineGeometry::RowTop(std::size_t row) const {
    return static_cast<float>(RowsTop() + static_cast<double>(row) * RowHeight() - vScroll);
}

double TimelineGeometry::ScrollShowing(std::size_t row) const {
    const double height = RowHeight();
    const double top = static_cast<double>(row) * height;
    const double available = ViewHeight() - RowsTop();
    if (top < vScroll || height > available) {
        return top;
    }
    return std::max(vScroll, top + height - available);
}

float TimelineGeometry::FrameX(std::uint32_t frame) const {
    return static_cast<float>(static_cast<double>(frame) * frameWidth - hScroll);
}

std::uint32_t TimelineGeometry::FrameAt(double x) const {
    const double scrolled = x + hScroll;
    if (!(scrolled >= 0.0)) {
        return 0;
    }
    return static_cast<std::uint32_t>(std::min(std::floor(scrolled / frameWidth + 0.5), LastFrame));
}

std::uint32_t TimelineGeometry::RightEdgeFrame() const {
    return FrameAt(ViewWidth());
}

// A knob whose ends are equal has no range; its values sit on the min end.
float TimelineGeometry::ValueY(const Knob& knob, std::size_t row, float value) const {
    const float bottom = RowTop(row) + RowHeight() - Margin();
    const float range = knob.maxValue - knob.minValue;
    if (range == 0.0f) {
        return bottom;
    }
    return bottom - (value - knob.minValue) * (RowHeight() - 2 * Margin()) / range;
}

float TimelineGeometry::YValue(const Knob& knob, std::size_t row, float y) const {
    const float top = RowTop(row) + Margin();
    const float bottom = RowTop(row) + RowHeight() - Margin();
    const float span = bottom - top;
    if (span <= 0.0f) {
        return knob.minValue;
    }
    const float clamped = std::clamp(y, top, bottom);
    return knob.minValue + (bottom - clamped) * (knob.maxValue - knob.minValue) / span;
}

TimelineHit TimelineGeometry::HitTest(graphics::PointF p, const std::vector<Knob>& knobs,
                                      const KnobTimeline& timeline) const {
    TimelineHit hit;
    if (p.y >= 0 && p.y < AudioHeight) {
        hit.inAudioStrip = true;
    } else if (p.y >= RowsTop() && p.y < ViewHeight()) {
        const double offset = std::max(p.y - RowsTop() + vScroll, 0.0);
        const double row = std::floor(offset / RowHeight());
        hit.row = static_cast<std::size_t>(row);
        hit.rowValid = row < static_cast<double>(std::min(knobs.size(), rows));
    }
    const float x = std::max(p.x, 0.0f);
    if (x < ViewWidth()) {
        hit.frameValid = true;
        hit.frame = FrameAt(x);
    }
    if (hit.rowValid && hit.frameValid) {
        const Knob& knob = knobs[hit.row];
        hit.valueValid = true;
        hit.value = YValue(knob, hit.row, p.y);
        hit.anchorExists = timeline.HasAnchor(knob.key, hit.frame);
    }
    return hit;
}

float TimelineGeometry::ZoomedWidth(int steps) const {
    const double width = steps == 0 ? vBarWidth : std::pow(frameWidth, 1.0 + 0.1 * steps);
    return static_cast<float>(std::clamp<double>(width, MinFrameWidth, MaxFrameWidth));
}

} // namespace vel::lumo
