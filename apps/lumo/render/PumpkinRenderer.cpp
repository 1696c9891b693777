#include "apps/lumo/render/PumpkinRenderer.h"

#include "apps/lumo/render/PolygonClip.h"
#include "apps/lumo/render/TargetMapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace vel::lumo {

namespace {

// trunc(c × 255); out-of-range channels are held to 0..255 rather than
// wrapping round to an unrelated colour.
std::uint8_t ChannelByte(float channel) {
    const float scaled = channel * 255.0f;
    if (!(scaled > 0.0f)) {
        return 0;
    }
    return scaled >= 255.0f ? 255 : static_cast<std::uint8_t>(scaled);
}

// Grows to the pixels that an anti-aliased fill of the points may touch.
class PixelBounds {
public:
    void Add(const std::vector<graphics::PointF>& points) {
        for (graphics::PointF p : points) {
            left_ = std::min(left_, p.x);
            top_ = std::min(top_, p.y);
            right_ = std::max(right_, p.x);
            bottom_ = std::max(bottom_, p.y);
        }
    }

    graphics::DeviceRect Within(graphics::RectF viewport) const {
        const float width = std::ceil(viewport.right - viewport.left);
        const float height = std::ceil(viewport.bottom - viewport.top);
        // One pixel of margin on each side for the edge coverage.
        const float left = std::clamp(std::floor(left_) - 1, 0.0f, width);
        const float top = std::clamp(std::floor(top_) - 1, 0.0f, height);
        const float right = std::clamp(std::ceil(right_) + 1, 0.0f, width);
        const float bottom = std::clamp(std::ceil(bottom_) + 1, 0.0f, height);
        if (!(left < right && top < bottom)) {
            return {};
        }
        return {static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
                static_cast<std::int32_t>(right), static_cast<std::int32_t>(bottom)};
    }

private:
    float left_ = std::numeric_limits<float>::infinity();
    float top_ = std::numeric_limits<float>::infinity();
    float right_ = -std::numeric_limits<float>::infinity();
    float bottom_ = -std::numeric_limits<float>::infinity();
};

// The outline where the fit shows it on a picture of width × height pixels:
// to fractions of the picture, warped, and back to pixels.
std::vector<graphics::PointF> Fitted(const std::vector<graphics::PointF>& outline,
                                     const PumpkinFit& fit, float width, float height) {
    std::vector<FitPoint> fractions;
    fractions.reserve(outline.size());
    for (graphics::PointF point : outline) {
        fractions.push_back({point.x / width, point.y / height});
    }
    const std::vector<FitPoint> warped = fit.WarpOutline(fractions, width, height);
    std::vector<graphics::PointF> shown;
    shown.reserve(warped.size());
    for (FitPoint point : warped) {
        shown.push_back({point.x * width, point.y * height});
    }
    return shown;
}

} // namespace

graphics::Color FillColor(const Rgba& color) {
    graphics::Color out;
    out.red = ChannelByte(color.red);
    out.green = ChannelByte(color.green);
    out.blue = ChannelByte(color.blue);
    return out;
}

std::vector<graphics::PointF> ModelToTarget(const graphics::Frame& frame,
                                            const std::vector<Point>& outline) {
    const TargetMapping mapping(frame.GetViewport());
    std::vector<graphics::PointF> target;
    target.reserve(outline.size());
    for (Point point : outline) {
        target.push_back(mapping.ToTarget(point));
    }
    return target;
}

graphics::DeviceRect DrawPumpkin(graphics::Frame& frame, const std::vector<EvaluatedShape>& shapes,
                                 const PumpkinFit* fit) {
    // Outlines are cut a few pixels outside the picture, so far-away points
    // cost nothing and the edges' anti-aliasing stays as it was.
    constexpr float margin = 4.0f;
    const graphics::RectF viewport = frame.GetViewport();
    const float width = viewport.right - viewport.left;
    const float height = viewport.bottom - viewport.top;
    const graphics::RectF area{-margin, -margin, width + margin, height + margin};
    // A fit that moves nothing leaves the outlines exactly as they are.
    if (fit != nullptr && fit->IsIdentity()) {
        fit = nullptr;
    }
    PixelBounds bounds;
    for (const EvaluatedShape& shape : shapes) {
        if (shape.outline.size() < 3) {
            continue;
        }
        const std::vector<graphics::PointF> mapped = ModelToTarget(frame, shape.outline);
        // A point that is not a number has no place; its shape is left out.
        if (!IsFinite(mapped)) {
            continue;
        }
        const std::vector<graphics::PointF> points =
            ClipToRect(fit ? Fitted(mapped, *fit, width, height) : mapped, area);
        if (points.empty()) {
            continue;
        }
        frame.FillPolygon(points, FillColor(shape.color));
        bounds.Add(points);
    }
    return bounds.Within(frame.GetViewport());
}

} // namespace vel::lumo
