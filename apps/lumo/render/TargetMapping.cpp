#include "apps/lumo/render/TargetMapping.h"

namespace vel::lumo {

TargetMapping::TargetMapping(float width, float height)
    : width_(width), height_(height), half_(0.5f * (width > height ? height : width)) {}

TargetMapping::TargetMapping(graphics::RectF viewport)
    : TargetMapping(viewport.right - viewport.left, viewport.bottom - viewport.top) {}

graphics::PointF TargetMapping::ToTarget(Point model) const {
    return {width_ / 2 + half_ * model.x, height_ / 2 - half_ * model.y};
}

Point TargetMapping::ToModel(graphics::PointF target) const {
    const float scale = 1.0f / half_;
    return {(target.x - width_ / 2) * scale, ((height_ - target.y) - height_ / 2) * scale};
}

} // namespace vel::lumo
