#pragma once

#include "apps/lumo/model/Model.h"

#include <cstdint>
#include <string>

namespace vel::lumo {

// What to export: document frames [firstFrame, endFrame), loopCount times,
// fitted to the pumpkin by the document's fit when fitted is set, in pictures
// of size, looped on until the video lasts at least minutes.
struct ExportOptions {
    std::string fileName;
    uint32_t firstFrame = 0;
    uint32_t endFrame = 0;
    uint32_t loopCount = 1;
    bool burnIn = false;
    bool fitted = false;
    CanvasSize size = VideoSize;
    uint32_t minutes = 0;
};

// The longest a video is asked to play for: a whole day.
inline constexpr uint32_t MaximumMinutes = 24 * 60;

// How often the range plays: the loop count, or more where that is needed
// for the minutes at frameRate (frames per 1000 seconds), at most
// 4294967295; minutes beyond MaximumMinutes count as that. An empty range
// plays loopCount times.
uint32_t TotalLoops(const ExportOptions& options, uint32_t frameRate);

} // namespace vel::lumo
