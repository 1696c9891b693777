#pragma once

#include "apps/lumo/model/Point.h"
#include "graphics/GraphicsTypes.h"

namespace vel::lumo {

// Model space on a target of w × h pixels: the origin at the centre, y up,
// one unit half the shorter side. Nothing is clipped.
class TargetMapping {
public:
    TargetMapping(float width, float height);
    // The frame's viewport gives the size; its left and top are not added.
    explicit TargetMapping(graphics::RectF viewport);

    graphics::PointF ToTarget(Point model) const;
    Point ToModel(graphics::PointF target) const;

private:
    float width_;
    float height_;
    float half_; // half the shorter side
};

} // namespace vel::lumo
