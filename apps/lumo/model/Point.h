#pragma once

namespace vel::lumo {

// A corner of an outline in model space: origin at the centre of the face,
// y upward, one unit half the shorter side of the target.
struct Point {
    float x = 0.0f;
    float y = 0.0f;

    friend bool operator==(const Point&, const Point&) = default;
};

} // namespace vel::lumo
