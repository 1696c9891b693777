#include "apps/lumo/model/CornerPin.h"

#include <cmath>

namespace vel::lumo {
namespace {

// Below this sine of the angle at a corner, three corners count as one line.
constexpr double CollinearSine = 1e-12;
// Weights this close to zero lie on the horizon, where nothing has an image.
constexpr double HorizonWeight = 1e-12;

bool Collinear(FitPoint a, FitPoint b, FitPoint c) {
    const double bx = double{b.x} - a.x;
    const double by = double{b.y} - a.y;
    const double cx = double{c.x} - a.x;
    const double cy = double{c.y} - a.y;
    const double cross = bx * cy - by * cx;
    return std::abs(cross) <= CollinearSine * std::hypot(bx, by) * std::hypot(cx, cy);
}

} // namespace

// The square-to-quadrilateral construction: corners in the order of the
// unit square's (0, 0), (1, 0), (1, 1), (0, 1); an affine mapping when the
// corners form a parallelogram.
CornerPin::CornerPin(const Corners& corners) {
    const auto [x0, y0] = corners[0];
    const auto [x1, y1] = corners[1];
    const auto [x2, y2] = corners[2];
    const auto [x3, y3] = corners[3];
    usable_ = !Collinear(corners[0], corners[1], corners[2]) &&
              !Collinear(corners[1], corners[2], corners[3]) &&
              !Collinear(corners[2], corners[3], corners[0]) &&
              !Collinear(corners[3], corners[0], corners[1]);
    if (!usable_) {
        return;
    }
    const double dx1 = double{x1} - x2;
    const double dx2 = double{x3} - x2;
    const double dx3 = double{x0} - x1 + x2 - x3;
    const double dy1 = double{y1} - y2;
    const double dy2 = double{y3} - y2;
    const double dy3 = double{y0} - y1 + y2 - y3;
    double g = 0;
    double h = 0;
    if (dx3 != 0 || dy3 != 0) {
        const double den = dx1 * dy2 - dx2 * dy1;
        g = (dx3 * dy2 - dx2 * dy3) / den;
        h = (dx1 * dy3 - dx3 * dy1) / den;
    }
    Matrix m{double{x1} - x0 + g * x1,
             double{x3} - x0 + h * x3,
             x0,
             double{y1} - y0 + g * y1,
             double{y3} - y0 + h * y3,
             y0,
             g,
             h,
             1};
    // The picture's centre sets the scale and the side of the horizon that
    // counts as in front.
    const double centre = 0.5 * g + 0.5 * h + 1;
    if (std::abs(centre) > HorizonWeight) {
        for (double& value : m) {
            value /= centre;
        }
    }
    const double a = m[4] * m[8] - m[5] * m[7];
    const double b = m[5] * m[6] - m[3] * m[8];
    const double c = m[3] * m[7] - m[4] * m[6];
    const double det = m[0] * a + m[1] * b + m[2] * c;
    if (!std::isfinite(det) || det == 0) {
        usable_ = false;
        return;
    }
    forward_ = m;
    inverse_ = {a / det, (m[2] * m[7] - m[1] * m[8]) / det, (m[1] * m[5] - m[2] * m[4]) / det,
                b / det, (m[0] * m[8] - m[2] * m[6]) / det, (m[2] * m[3] - m[0] * m[5]) / det,
                c / det, (m[1] * m[6] - m[0] * m[7]) / det, (m[0] * m[4] - m[1] * m[3]) / det};
}

double CornerPin::Weight(double x, double y) const {
    return forward_[6] * x + forward_[7] * y + forward_[8];
}

std::optional<FitPoint> CornerPin::Apply(const Matrix& m, double x, double y) {
    const double w = m[6] * x + m[7] * y + m[8];
    if (!(std::abs(w) > HorizonWeight)) {
        return std::nullopt;
    }
    const FitPoint point{static_cast<float>((m[0] * x + m[1] * y + m[2]) / w),
                         static_cast<float>((m[3] * x + m[4] * y + m[5]) / w)};
    if (!std::isfinite(point.x) || !std::isfinite(point.y)) {
        return std::nullopt;
    }
    return point;
}

std::optional<FitPoint> CornerPin::Map(double x, double y) const {
    return usable_ ? Apply(forward_, x, y) : std::nullopt;
}

std::optional<FitPoint> CornerPin::Unmap(FitPoint point) const {
    return usable_ ? Apply(inverse_, point.x, point.y) : std::nullopt;
}

} // namespace vel::lumo
