#pragma once

namespace vel::lumo {

// A place on the picture as a fraction of its width and height: (0, 0) is
// the top-left corner, (1, 1) the bottom-right, y downward like the
// picture's rows. Fractions fit every picture size alike.
struct FitPoint {
    float x = 0.0f;
    float y = 0.0f;

    friend bool operator==(const FitPoint&, const FitPoint&) = default;
};

} // namespace vel::lumo
