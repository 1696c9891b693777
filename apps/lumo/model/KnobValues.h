#pragma once

#include "apps/lumo/model/KnobKey.h"

#include <map>

namespace vel::lumo {

// The value of every knob track at one frame.
using KnobValues = std::map<KnobKey, float>;

} // namespace vel::lumo
