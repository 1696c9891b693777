#include "apps/lumo/render/PolygonClip.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

using graphics::PointF;

// One side of the rectangle: which points lie inside, and where an edge
// crosses the side.
template <class Inside, class Cross>
std::vector<PointF> ClipToSide(const std::vector<PointF>& in, Inside inside, Cross cross) {
    std::vector<PointF> out;
    if (in.empty()) {
        return out;
    }
    out.reserve(in.size() + 4);
    PointF previous = in.back();
    bool previousInside = inside(previous);
    for (PointF current : in) {
        const bool currentInside = inside(current);
        if (currentInside != previousInside) {
            out.push_back(cross(previous, current));
        }
        if (currentInside) {
            out.push_back(current);
        }
        previous = current;
        previousInside = currentInside;
    }
    return out;
}

// The point of the segment at the given x (or y), computed in double so that
// far-away ends do not lose the near one's precision.
PointF AtX(PointF a, PointF b, float x) {
    const double t = (double{x} - a.x) / (double{b.x} - a.x);
    return {x, static_cast<float>(a.y + t * (double{b.y} - a.y))};
}

PointF AtY(PointF a, PointF b, float y) {
    const double t = (double{y} - a.y) / (double{b.y} - a.y);
    return {static_cast<float>(a.x + t * (double{b.x} - a.x)), y};
}

} // namespace

std::vector<PointF> ClipToRect(const std::vector<PointF>& outline, graphics::RectF rect) {
    const bool within = std::all_of(outline.begin(), outline.end(), [rect](PointF p) {
        return p.x >= rect.left && p.x <= rect.right && p.y >= rect.top && p.y <= rect.bottom;
    });
    if (within) {
        return outline;
    }
    std::vector<PointF> clipped = ClipToSide(
        outline, [rect](PointF p) { return p.x >= rect.left; },
        [rect](PointF a, PointF b) { return AtX(a, b, rect.left); });
    clipped = ClipToSide(
        clipped, [rect](PointF p) { return p.x <= rect.right; },
        [rect](PointF a, PointF b) { return AtX(a, b, rect.right); });
    clipped = ClipToSide(
        clipped, [rect](PointF p) { return p.y >= rect.top; },
        [rect](PointF a, PointF b) { return AtY(a, b, rect.top); });
    clipped = ClipToSide(
        clipped, [rect](PointF p) { return p.y <= rect.bottom; },
        [rect](PointF a, PointF b) { return AtY(a, b, rect.bottom); });
    if (clipped.size() < 3) {
        clipped.clear();
    }
    return clipped;
}

bool IsFinite(const std::vector<PointF>& outline) {
    return std::all_of(outline.begin(), outline.end(),
                       [](PointF p) { return std::isfinite(p.x) && std::isfinite(p.y); });
}

} // namespace vel::lumo
