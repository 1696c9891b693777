#include "apps/lumo/model/Hsl.h"

#include <cmath>

namespace vel::lumo {

namespace {

// The chroma c and the intermediate m placed by the hue sector x = hue / 60.
Rgba Sector(float x, float c, float m) {
    if (x < 1.0f) {
        return {c, m, 0.0f};
    }
    if (x < 2.0f) {
        return {m, c, 0.0f};
    }
    if (x < 3.0f) {
        return {0.0f, c, m};
    }
    if (x < 4.0f) {
        return {0.0f, m, c};
    }
    if (x < 5.0f) {
        return {m, 0.0f, c};
    }
    return {c, 0.0f, m};
}

} // namespace

Rgba HslToRgb(float hue, float saturation, float lightness) {
    const float x = hue / 60.0f;
    const float c = (1.0f - std::fabs(2.0f * lightness - 1.0f)) * saturation;
    const float m = (1.0f - std::fabs(std::fmod(x, 2.0f) - 1.0f)) * c;
    const Rgba sector = Sector(x, c, m);
    const float shift = lightness - c / 2.0f;
    return Rgba{sector.red + shift, sector.green + shift, sector.blue + shift, 1.0f};
}

} // namespace vel::lumo
