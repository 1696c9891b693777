#pragma once

namespace vel::lumo {

// A colour as four floats, nominally 0..1; the renderer turns it into bytes.
struct Rgba {
    float red = 0.0f;
    float green = 0.0f;
    float blue = 0.0f;
    float alpha = 1.0f;

    friend bool operator==(const Rgba&, const Rgba&) = default;
};

} // namespace vel::lumo
