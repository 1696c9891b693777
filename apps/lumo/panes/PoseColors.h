#pragma once

#include <cstdint>

namespace vel::lumo {

// The colours that mark the edited and the reference pose, the same in the
// preview's markers and the shapes pane's bullets (0x00RRGGBB).
inline constexpr std::uint32_t SinglePoseColor = 0xFFFFFF;
inline constexpr std::uint32_t EditedPoseColor = 0xFF8040;
inline constexpr std::uint32_t ReferencePoseColor = 0x4080FF;

} // namespace vel::lumo
