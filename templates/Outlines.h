#pragma once

#include "apps/lumo/model/Point.h"

#include <vector>

namespace vel::lumo::faces {

using Outline = std::vector<Point>;

// Where a face sits in the picture: its centre and its size, so that one
// face can be drawn alone or as one of several.
struct Place {
    float x = 0.0f;
    float y = 0.0f;
    float scale = 1.0f;

    Point At(Point local) const { return {x + scale * local.x, y + scale * local.y}; }
    Outline At(const Outline& local) const;
};

// n points around an ellipse, counter-clockwise from the right.
Outline Ellipse(int n, Point centre, float rx, float ry);
// n points around an almond whose ends are points: rx half its length, top
// and bottom how far its upper and lower edges rise and fall.
Outline Almond(int n, Point centre, float rx, float top, float bottom);
// A curved band between two arcs about the centre, from one angle to the
// other (radians, counter-clockwise), n points along each arc.
Outline Band(int n, Point centre, float inner, float outer, float from, float to);
// The corners in order with perEdge points on each edge, the corner first,
// so that a pose can bend every edge.
Outline Polygon(const Outline& corners, int perEdge);
// Every point moved by the same amount.
Outline Shifted(const Outline& outline, float dx, float dy);
// Every point's height above the line multiplied by the factor: the way a
// lid comes down on an eye.
Outline Squashed(const Outline& outline, float lineY, float factor);
// Turned counter-clockwise about the centre by the angle (radians).
Outline Rotated(const Outline& outline, Point centre, float angle);
// Mirrored left for right about the vertical line through x.
Outline Mirrored(const Outline& outline, float x);

} // namespace vel::lumo::faces
