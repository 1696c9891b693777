#pragma once

#include "apps/lumo/model/FitPoint.h"

#include <array>
#include <optional>

namespace vel::lumo {

// The perspective mapping (a homography) of the picture's rectangle,
// (0, 0)..(1, 1), onto four corners, given top-left, top-right,
// bottom-right, bottom-left. Straight lines stay straight. Any
// quadrilateral has one unless three of its corners lie on a line; a
// non-convex one sends part of the picture beyond the horizon, the line
// that the mapping sends to infinity.
class CornerPin {
public:
    using Corners = std::array<FitPoint, 4>;

    explicit CornerPin(const Corners& corners);

    // False when three corners lie on one line: the picture then has no
    // perspective image and nothing maps.
    bool IsUsable() const { return usable_; }
    // The homogeneous weight of a picture point: 1 at the picture's centre
    // (or top-left corner, when the centre lies on the horizon), 0 on the
    // horizon, negative beyond it.
    double Weight(double x, double y) const;
    // The point's image; none on the horizon or when the pin is unusable.
    std::optional<FitPoint> Map(double x, double y) const;
    // The picture point whose image is the given point; none where the
    // mapping has no inverse there.
    std::optional<FitPoint> Unmap(FitPoint point) const;

private:
    using Matrix = std::array<double, 9>; // row-major, the third row gives the weight

    static std::optional<FitPoint> Apply(const Matrix& m, double x, double y);

    Matrix forward_{};
    Matrix inverse_{};
    bool usable_ = false;
};

} // namespace vel::lumo
