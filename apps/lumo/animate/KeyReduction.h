#pragma once

#include "apps/lumo/model/Anchor.h"

#include <cstdint>
#include <vector>

namespace vel::lumo {

// The few anchors that carry the shape of a curve of one value per frame
// (frame first + i holds values[i]): the first and last frames, and the
// frames where straight lines between kept anchors would stray most, until
// no value strays more than the tolerance or the anchors reach the limit.
std::vector<Anchor> ReduceKeys(const std::vector<float>& values, std::uint32_t first,
                               std::size_t limit, float tolerance);

} // namespace vel::lumo
