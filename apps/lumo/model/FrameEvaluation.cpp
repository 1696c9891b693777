#include "apps/lumo/model/FrameEvaluation.h"

#include "apps/lumo/model/Hsl.h"
#include "apps/lumo/model/StandardKnobs.h"

#include <algorithm>

namespace vel::lumo {

namespace {

float ValueOr0(const KnobValues& values, const KnobKey& key) {
    const auto found = values.find(key);
    return found == values.end() ? 0.0f : found->second;
}

} // namespace

Rgba CandleColorOf(const KnobValues& values) {
    return HslToRgb(ValueOr0(values, CandleHueKey), ValueOr0(values, CandleSaturationKey),
                    ValueOr0(values, CandleLightnessKey));
}

std::vector<Point> ShapeOutline(const Shape& shape, const KnobValues& values) {
    if (shape.poses.empty()) {
        return {};
    }
    std::vector<Point> outline = shape.poses.front().points;
    for (auto pose = shape.poses.begin() + 1; pose != shape.poses.end(); ++pose) {
        const auto found = values.find(pose->key);
        if (found == values.end() || found->second == 0.0f) {
            continue;
        }
        const float w = found->second;
        if (w == 1.0f) {
            outline = pose->points;
            continue;
        }
        const std::size_t count = std::min(outline.size(), pose->points.size());
        for (std::size_t j = 0; j < count; ++j) {
            outline[j].x = w * pose->points[j].x + (1.0f - w) * outline[j].x;
            outline[j].y = w * pose->points[j].y + (1.0f - w) * outline[j].y;
        }
    }
    return outline;
}

} // namespace vel::lumo
