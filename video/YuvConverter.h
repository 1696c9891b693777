#pragma once

#include "video/FrameRegion.h"

extern "C" {
#include <libavutil/frame.h>
}

#include <cstdint>

namespace vel::video {

// Converts 32-bit B, G, R, X pixel rows into a yuv420p frame of the same
// size (BT.709, limited range, chroma the mean of each 2 × 2 block), one
// region at a time: most of an animation frame is unchanged black, and
// converting only what changed saves most of the conversion's cost.
class YuvConverter {
public:
    YuvConverter(uint32_t width, uint32_t height) : width_(width), height_(height) {}

    // Converts the part of rows (width × 4 bytes per row, no gaps) inside
    // region, widened to even edges, into frame.
    void Convert(const uint8_t* rows, FrameRegion region, AVFrame& frame) const;

private:
    uint32_t width_;
    uint32_t height_;
};

} // namespace vel::video
