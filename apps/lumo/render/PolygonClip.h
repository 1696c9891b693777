#pragma once

#include "graphics/GraphicsTypes.h"

#include <vector>

namespace vel::lumo {

// The outline cut to the rectangle, edge by edge. Inside the rectangle the
// result covers the same points with the same winding as the outline did,
// self-crossing outlines included, so its fill looks the same there; what
// lies outside costs nothing to fill. Empty when nothing is left.
std::vector<graphics::PointF> ClipToRect(const std::vector<graphics::PointF>& outline,
                                         graphics::RectF rect);

// Whether every point has finite coordinates.
bool IsFinite(const std::vector<graphics::PointF>& outline);

} // namespace vel::lumo
