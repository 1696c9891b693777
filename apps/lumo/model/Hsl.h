#pragma once

#include "apps/lumo/model/Rgba.h"

namespace vel::lumo {

// Hue in degrees, saturation and lightness nominally 0..1. Nothing is
// clamped or wrapped: a negative hue falls into the red-to-yellow sector,
// a hue of 360 or more into the magenta-to-red one. Alpha is always 1.
Rgba HslToRgb(float hue, float saturation, float lightness);

} // namespace vel::lumo
