#include "apps/lumo/panes/PreviewZoom.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

Point PreviewZoom::ToModel(Point shown) const {
    return {static_cast<float>(centre_.x + shown.x / scale_),
            static_cast<float>(centre_.y + shown.y / scale_)};
}

Point PreviewZoom::ToShown(Point model) const {
    return {static_cast<float>((model.x - centre_.x) * scale_),
            static_cast<float>((model.y - centre_.y) * scale_)};
}

void PreviewZoom::ZoomAround(Point shown, double factor) {
    if (!std::isfinite(factor) || factor <= 0.0) {
        return;
    }
    const Point held = ToModel(shown);
    scale_ = std::clamp(scale_ * factor, 1.0, MaxScale);
    if (scale_ == 1.0) {
        centre_ = {};
        return;
    }
    centre_ = {static_cast<float>(held.x - shown.x / scale_),
               static_cast<float>(held.y - shown.y / scale_)};
}

void PreviewZoom::Pan(Point shownDistance) {
    centre_ = {static_cast<float>(centre_.x - shownDistance.x / scale_),
               static_cast<float>(centre_.y - shownDistance.y / scale_)};
}

void PreviewZoom::Fit() {
    *this = PreviewZoom();
}

} // namespace vel::lumo
