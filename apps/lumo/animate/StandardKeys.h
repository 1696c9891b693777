#pragma once

#include "apps/lumo/model/KnobKey.h"

namespace vel::lumo {

// The standard knobs that the generators key.
inline constexpr KnobKey EyeBlinkKey{"eyeblink"};
inline constexpr KnobKey MouthKey{"mouth"};
inline constexpr KnobKey MouthWideKey{"mEEE"};
inline constexpr KnobKey MouthRoundKey{"mOOO"};

} // namespace vel::lumo
