#pragma once

#include "apps/lumo/model/Point.h"
#include "apps/lumo/model/Rgba.h"

#include <vector>

namespace vel::lumo {

// What the renderer fills for one shape at one frame.
struct EvaluatedShape {
    Rgba color;
    std::vector<Point> outline;

    friend bool operator==(const EvaluatedShape&, const EvaluatedShape&) = default;
};

} // namespace vel::lumo
