#pragma once

#include "apps/lumo/model/Knob.h"

#include <vector>

namespace vel::lumo {

// Frame evaluation finds the candle colour by these keys, not by intent.
inline constexpr KnobKey CandleHueKey{"canhue"};
inline constexpr KnobKey CandleSaturationKey{"cansat"};
inline constexpr KnobKey CandleLightnessKey{"canlight"};

// The fixed table of standard knobs: the three candle knobs first, then the
// usual eye and mouth movements. Built once and never changed.
const std::vector<Knob>& StandardKnobs();

} // namespace vel::lumo
