#pragma once

#include <cstdint>

namespace vel::video {

// The sound every video takes: 44100 Hz, 16-bit samples, stereo, left and
// right interleaved.
inline constexpr std::uint32_t AudioRate = 44100;
inline constexpr std::uint32_t AudioChannels = 2;
inline constexpr std::uint64_t AudioBytesPerFrame = AudioChannels * sizeof(std::int16_t);

} // namespace vel::video
