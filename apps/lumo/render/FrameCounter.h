#pragma once

#include "graphics/Frame.h"

#include <cstdint>

namespace vel::lumo {

// Burns the number of frames written so far into the middle of the picture
// as a timecode at the given rate (frames per 1000 seconds): magenta
// "Courier New" 24 pt on a dark green box. Answers the pixels it touched.
graphics::DeviceRect DrawFrameCounter(graphics::Frame& frame, uint64_t framesDone,
                                      uint32_t frameRate);

} // namespace vel::lumo
