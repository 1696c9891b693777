#pragma once

#include "apps/lumo/model/FrameRate.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace vel::lumo {

// A frame number as hours, minutes, seconds and frames. At 29.97 (and
// 59.94) frames per second the labels are drop-frame: the first frame labels
// of every minute not divisible by ten are skipped so that the timecode
// keeps pace with the clock.
struct Timecode {
    std::uint32_t frameNumber = 0;
    std::uint32_t frameRate = DefaultFrameRate;
    std::uint32_t frames = 0;
    std::uint32_t seconds = 0;
    std::uint32_t minutes = 0;
    std::uint32_t hours = 0;

    static Timecode FromFrame(std::uint32_t frameNumber, std::uint32_t frameRate);

    // Reads frames, seconds;frames, minutes:seconds;frames or
    // hours:minutes:seconds;frames, separated by any of ":;,./- ", always as
    // 29.97 drop-frame. Text that does not read gives frame 0.
    static Timecode Parse(std::string_view text);

    static std::uint32_t FrameFromFields(std::uint32_t hours, std::uint32_t minutes,
                                         std::uint32_t seconds, std::uint32_t frames,
                                         std::uint32_t frameRate);

    // "mm:ss;ff", with "hh:" in front from the first hour on; ':' before the
    // frames when the rate is not drop-frame.
    std::string Format() const;

    friend bool operator==(const Timecode&, const Timecode&) = default;
};

} // namespace vel::lumo
