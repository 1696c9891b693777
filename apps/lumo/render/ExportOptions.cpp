#include "apps/lumo/render/ExportOptions.h"

#include <algorithm>
#include <limits>

namespace vel::lumo {

uint32_t TotalLoops(const ExportOptions& options, uint32_t frameRate) {
    if (options.endFrame <= options.firstFrame) {
        return options.loopCount;
    }
    const uint64_t length = options.endFrame - options.firstFrame;
    // Frames in the minutes, rounded up: minutes × 60 s × frameRate ÷ 1000 s.
    const uint64_t frames =
        (uint64_t{std::min(options.minutes, MaximumMinutes)} * 60 * frameRate + 999) / 1000;
    const uint64_t loops = (frames + length - 1) / length;
    return static_cast<uint32_t>(
        std::clamp<uint64_t>(loops, options.loopCount, std::numeric_limits<uint32_t>::max()));
}

} // namespace vel::lumo
