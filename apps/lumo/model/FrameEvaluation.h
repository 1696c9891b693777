#pragma once

#include "apps/lumo/model/KnobValues.h"
#include "apps/lumo/model/Rgba.h"
#include "apps/lumo/model/Shape.h"

#include <vector>

namespace vel::lumo {

// The candle colour from the three candle knobs; a missing knob counts as 0.
Rgba CandleColorOf(const KnobValues& values);

// The shape's outline at these knob values: the base pose, blended toward
// each further pose in pose order by its knob's value. A pose whose key has
// no value has no effect; weight 0 skips a pose and weight 1 takes its
// points outright, point count included.
std::vector<Point> ShapeOutline(const Shape& shape, const KnobValues& values);

} // namespace vel::lumo
