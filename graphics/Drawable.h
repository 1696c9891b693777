#pragma once

#include "graphics/GraphicsTypes.h"

#include <cmath>

namespace vel::graphics {

// Marks further out than this are off any screen; leaving them out keeps
// outlines from a crafted file from stalling the painter.
inline bool IsDrawable(PointF p) {
    constexpr float limit = 1.0e5f;
    return std::isfinite(p.x) && std::isfinite(p.y) && std::abs(p.x) < limit &&
           std::abs(p.y) < limit;
}

} // namespace vel::graphics
