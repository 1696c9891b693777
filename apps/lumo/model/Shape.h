#pragma once

#include "apps/lumo/model/Pose.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vel::lumo {

// One cut-out of the face. All poses normally hold the same number of
// points, point i of every pose being the same corner of the outline.
struct Shape {
    // Stored as a plain number: files may carry other values, which are kept
    // as they are and drawn black.
    enum Illumination : std::uint32_t { Dark = 0, CandleColor = 1 };

    std::uint32_t illumination = CandleColor;
    std::string name;
    std::vector<Pose> poses;

    friend bool operator==(const Shape&, const Shape&) = default;
};

} // namespace vel::lumo
