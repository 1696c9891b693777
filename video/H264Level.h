#pragma once

#include <cstdint>

namespace vel::video {

// The lowest H.264 level (level_idc: 30 for level 3, 31 for 3.1) whose
// limits take pictures of width × height pixels at numerator/denominator
// frames per second and bitRate bits per second in the Main profile: the
// frame size in macroblocks, each side's macroblocks, macroblocks per second
// and the bit rate. 0 when no level takes them.
int H264Level(uint32_t width, uint32_t height, uint32_t rateNumerator, uint32_t rateDenominator,
              int64_t bitRate);

} // namespace vel::video
