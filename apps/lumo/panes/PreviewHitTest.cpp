#include "apps/lumo/panes/PreviewHitTest.h"

#include "apps/lumo/document/LumoDocument.h"

#include <vector>

namespace vel::lumo {

namespace {

constexpr float HitRadiusSquared = 0.001f;

void NearestPoint(const LumoDocument& document, std::uint64_t shape, std::uint64_t pose, Point m,
                  float reach, float& best, PreviewHit& hit) {
    const std::vector<Point> points = document.GetPosePoints(shape, pose);
    for (std::uint64_t i = 0; i < points.size(); ++i) {
        const float dx = points[i].x - m.x;
        const float dy = points[i].y - m.y;
        const float d2 = dx * dx + dy * dy;
        if (d2 < best) {
            best = d2;
            if (d2 < reach) {
                hit.onPoint = true;
                hit.pointShape = shape;
                hit.pointPose = pose;
                hit.point = i;
            }
        }
    }
}

// Even-odd: counts the edges crossed by a ray to the right of m.
bool Contains(const std::vector<Point>& outline, Point m) {
    bool inside = false;
    Point prev = outline.back();
    for (Point cur : outline) {
        if ((prev.y < m.y && cur.y > m.y) || (prev.y > m.y && cur.y < m.y)) {
            const float crossing = prev.x + (cur.x - prev.x) * (m.y - prev.y) / (cur.y - prev.y);
            if (crossing > m.x) {
                inside = !inside;
            }
        }
        prev = cur;
    }
    return inside;
}

} // namespace

PreviewHit HitTestPreview(const LumoDocument* document, const Selection& selection,
                          std::uint32_t frame, Point position, double scale) {
    PreviewHit hit;
    if (document == nullptr) {
        return hit;
    }
    const float reach = static_cast<float>(HitRadiusSquared / (scale * scale));
    float best = 9999.99f;
    NearestPoint(*document, selection.shape, selection.pose, position, reach, best, hit);
    if (selection.referencePose != selection.pose) {
        NearestPoint(*document, selection.shape, selection.referencePose, position, reach, best,
                     hit);
    }

    const std::vector<EvaluatedShape> shapes = document->EvaluateFrame(frame);
    for (std::uint64_t i = shapes.size(); i-- > 0;) {
        if (shapes[i].outline.size() >= 3 && Contains(shapes[i].outline, position)) {
            hit.insideShape = true;
            hit.shape = i;
            break;
        }
    }
    return hit;
}

} // namespace vel::lumo
