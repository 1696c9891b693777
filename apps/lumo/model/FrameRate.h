#pragma once

#include <cstdint>

namespace vel::lumo {

// Frames per 1000 seconds of the program's own rate, 29.97 per second: the
// rate of new documents and the rate whose timecode labels are drop-frame.
inline constexpr std::uint32_t DefaultFrameRate = 29970;

} // namespace vel::lumo
