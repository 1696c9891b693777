#pragma once

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

} // namespace vel::video
