#pragma once

#include <cstdint>

namespace vel::lumo {

// A keyframe: a knob's value at one frame.
struct Anchor {
    std::uint32_t frame = 0;
    float value = 0.0f;

    friend bool operator==(const Anchor&, const Anchor&) = default;
};

} // namespace vel::lumo
