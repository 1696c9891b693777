#pragma once

#include "video/FfmpegHandles.h"
#include "video/FrameRegion.h"

#include <cstdint>

namespace vel::video {

// Converts 32-bit B, G, R, X pixel rows into a yuv420p frame of the same
// size (BT.709, limited range), one region at a time: most of an animation
// frame is unchanged black, and converting only what changed saves most of
// the conversion's cost.
class YuvConverter {
public:
    YuvConverter(uint32_t width, uint32_t height) : width_(width), height_(height) {}

    // Converts the part of rows (width × 4 bytes per row, no gaps) inside
    // region, widened to whole 32 × 16 blocks, into frame. Answers false
    // only when FFmpeg cannot make its converter.
    bool Convert(const uint8_t* rows, FrameRegion region, AVFrame* frame);

private:
    uint32_t width_;
    uint32_t height_;
    SwsPtr sws_;
    uint32_t swsWidth_ = 0;
    uint32_t swsHeight_ = 0;
};

} // namespace vel::video
