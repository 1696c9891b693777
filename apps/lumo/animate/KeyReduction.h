#pragma once

#include "apps/lumo/model/Anchor.h"

#include <cstdint>
#include <vector>

namespace vel::lumo {

// At most keys anchors in any frames consecutive frames.
struct KeyLimit {
    std::size_t keys = 0;
    std::size_t frames = 0;
};

// Frames that the anchors must or should hold.
struct KeyPins {
    // Kept even beyond the limit.
    std::vector<std::size_t> always;
    // Kept before any other frame where they fit the limit.
    std::vector<std::size_t> first;
};

// The few anchors that carry the shape of a curve of one value per frame
// (frame first + i holds values[i]): the first and last frames, the pinned
// ones, and the frames where straight lines between kept anchors would stray
// most, until no value strays more than the tolerance or no more anchors fit
// the limit.
std::vector<Anchor> ReduceKeys(const std::vector<float>& values, std::uint32_t first,
                               KeyLimit limit, float tolerance, const KeyPins& pins = {});

} // namespace vel::lumo
