#pragma once

#include <algorithm>
#include <cstdint>

namespace vel::video {

// A rectangle of pixels, right and bottom exclusive. Tells the writer which
// part of a frame may differ from the frame written before it.
struct FrameRegion {
    uint32_t left = 0;
    uint32_t top = 0;
    uint32_t right = 0;
    uint32_t bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
};

// The smallest region holding both.
inline FrameRegion Union(FrameRegion a, FrameRegion b) {
    if (a.IsEmpty()) {
        return b;
    }
    if (b.IsEmpty()) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace vel::video
