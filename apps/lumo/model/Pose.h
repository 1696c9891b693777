#pragma once

#include "apps/lumo/model/KnobKey.h"
#include "apps/lumo/model/Point.h"

#include <vector>

namespace vel::lumo {

// One variant of a shape's outline, driven by the knob named by its key.
// Pose 0 of a shape is its base pose, whose key is never looked up.
struct Pose {
    KnobKey key;
    std::vector<Point> points;

    friend bool operator==(const Pose&, const Pose&) = default;
};

} // namespace vel::lumo
