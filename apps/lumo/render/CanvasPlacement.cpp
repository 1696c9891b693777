#include "apps/lumo/render/CanvasPlacement.h"

#include "apps/lumo/render/PolygonClip.h"

#include <algorithm>

namespace vel::lumo {

namespace {

CanvasSize OrVideoSize(CanvasSize size) {
    return size.width != 0 && size.height != 0 ? size : VideoSize;
}

} // namespace

CanvasPlacement::CanvasPlacement(CanvasSize canvasSize, CanvasSize pictureSize) {
    const CanvasSize canvas = OrVideoSize(canvasSize);
    const CanvasSize picture = OrVideoSize(pictureSize);
    fills_ = uint64_t{canvas.width} * picture.height == uint64_t{picture.width} * canvas.height;
    const auto width = static_cast<float>(picture.width);
    const auto height = static_cast<float>(picture.height);
    const float aspect = static_cast<float>(canvas.width) / static_cast<float>(canvas.height);
    // The canvas's size on the picture, and the picture's model unit.
    const float shownWidth = std::min(width, height * aspect);
    const float shownHeight = shownWidth / aspect;
    const float unit = std::min(width, height) / 2;
    scale_ = std::min(shownWidth, shownHeight) / 2 / unit;
    const float right = shownWidth / 2 / unit;
    const float top = shownHeight / 2 / unit;
    canvas_ = {-right, -top, right, top};
}

std::vector<EvaluatedShape>
CanvasPlacement::Place(const std::vector<EvaluatedShape>& shapes) const {
    std::vector<EvaluatedShape> placed;
    placed.reserve(shapes.size());
    std::vector<graphics::PointF> outline;
    for (const EvaluatedShape& shape : shapes) {
        outline.clear();
        for (Point point : shape.outline) {
            outline.push_back({point.x * scale_, point.y * scale_});
        }
        if (!IsFinite(outline)) {
            continue;
        }
        const std::vector<graphics::PointF> cut = ClipToRect(outline, canvas_);
        if (cut.empty()) {
            continue;
        }
        EvaluatedShape& moved = placed.emplace_back();
        moved.color = shape.color;
        for (graphics::PointF point : cut) {
            moved.outline.push_back({point.x, point.y});
        }
    }
    return placed;
}

} // namespace vel::lumo
