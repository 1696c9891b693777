#pragma once

#include "video/FfmpegHandles.h"

#include <cstdint>
#include <string>

namespace vel::video {

// How the encoder spends its bit rate: in one pass, or in two passes over
// the same pictures, the first writing statistics (to a file of that name)
// by which the second spends exactly the bit rate.
struct RatePass {
    enum class Kind { Single, First, Second };
    Kind kind = Kind::Single;
    std::string stats;
};

// floor(fps × 1000 + 0.5), or 0 where that leaves 1 .. 4294967295.
uint32_t FrameRateNumerator(float fps);

// The export's H.264 encoder (Main profile at the lowest level that takes
// the size and rate, 1.8 Mbit/s, yuv420p, BT.709,
// progressive, square pixels) at numerator/denominator frames per second,
// with the stream headers outside the pictures when the container wants
// them so. Throws XVideoWriter when it cannot be opened.
CodecContextPtr OpenH264Encoder(uint32_t width, uint32_t height, AVRational frameRate,
                                bool globalHeader, const RatePass& pass);

// A black yuv420p picture of that size; throws XVideoWriter.
FramePtr BlackPicture(uint32_t width, uint32_t height);

} // namespace vel::video
