#include "templates/Outlines.h"

#include <cmath>
#include <numbers>

namespace vel::lumo::faces {

Outline Place::At(const Outline& local) const {
    Outline placed;
    placed.reserve(local.size());
    for (Point point : local) {
        placed.push_back(At(point));
    }
    return placed;
}

Outline Ellipse(int n, Point centre, float rx, float ry) {
    Outline points;
    for (int i = 0; i < n; ++i) {
        const float t =
            2 * std::numbers::pi_v<float> * static_cast<float>(i) / static_cast<float>(n);
        points.push_back({centre.x + rx * std::cos(t), centre.y + ry * std::sin(t)});
    }
    return points;
}

Outline Almond(int n, Point centre, float rx, float top, float bottom) {
    Outline points = Ellipse(n, {0.0f, 0.0f}, rx, 1.0f);
    for (Point& point : points) {
        // The square root of the height's own size sharpens the ends.
        const float lift = point.y * std::sqrt(std::abs(point.y));
        point = {centre.x + point.x, centre.y + lift * (point.y > 0 ? top : bottom)};
    }
    return points;
}

Outline Band(int n, Point centre, float inner, float outer, float from, float to) {
    Outline points;
    const auto arc = [&](float radius, float start, float end) {
        for (int i = 0; i < n; ++i) {
            const float t =
                start + (end - start) * static_cast<float>(i) / static_cast<float>(n - 1);
            points.push_back({centre.x + radius * std::cos(t), centre.y + radius * std::sin(t)});
        }
    };
    arc(outer, from, to);
    arc(inner, to, from);
    return points;
}

Outline Polygon(const Outline& corners, int perEdge) {
    Outline points;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point from = corners[i];
        const Point to = corners[(i + 1) % corners.size()];
        for (int j = 0; j < perEdge; ++j) {
            const float t = static_cast<float>(j) / static_cast<float>(perEdge);
            points.push_back({from.x + t * (to.x - from.x), from.y + t * (to.y - from.y)});
        }
    }
    return points;
}

Outline Shifted(const Outline& outline, float dx, float dy) {
    Outline moved = outline;
    for (Point& point : moved) {
        point.x += dx;
        point.y += dy;
    }
    return moved;
}

Outline Squashed(const Outline& outline, float lineY, float factor) {
    Outline squashed = outline;
    for (Point& point : squashed) {
        point.y = lineY + factor * (point.y - lineY);
    }
    return squashed;
}

Outline Rotated(const Outline& outline, Point centre, float angle) {
    Outline turned = outline;
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    for (Point& point : turned) {
        const float dx = point.x - centre.x;
        const float dy = point.y - centre.y;
        point = {centre.x + c * dx - s * dy, centre.y + s * dx + c * dy};
    }
    return turned;
}

Outline Mirrored(const Outline& outline, float x) {
    Outline mirrored = outline;
    for (Point& point : mirrored) {
        point.x = 2 * x - point.x;
    }
    return mirrored;
}

} // namespace vel::lumo::faces
