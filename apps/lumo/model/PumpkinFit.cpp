#include "apps/lumo/model/PumpkinFit.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {
namespace {

constexpr PumpkinFit::Corners PictureCorners{FitPoint{0, 0}, FitPoint{1, 0}, FitPoint{1, 1},
                                             FitPoint{0, 1}};
// The grid's handles rest a quarter of the picture apart; with the
// picture's edges, which do not bend, they make a lattice of 5 × 5 points.
constexpr double LatticeSteps = 4;

// The cubic convolution kernel of Catmull-Rom splines, in lattice steps.
// It passes through every handle exactly, bends smoothly (its slope is
// continuous), reaches only two steps either side, so a handle bends the
// picture around it and not the far side, and costs a few multiplications
// per point: the renderer bends every point of every shape in every frame.
// A thin-plate spline would reach everywhere and need a system solved.
double Kernel(double x) {
    const double a = std::abs(x);
    if (a <= 1) {
        return (1.5 * a - 2.5) * a * a + 1;
    }
    if (a < 2) {
        return ((-0.5 * a + 2.5) * a - 4) * a + 2;
    }
    return 0;
}

} // namespace

PumpkinFit::PumpkinFit() : corners_(PictureCorners), pin_(PictureCorners) {}

bool PumpkinFit::IsAcceptable(FitPoint point) {
    return std::abs(point.x) <= CoordinateLimit && std::abs(point.y) <= CoordinateLimit;
}

bool PumpkinFit::SetCorner(std::size_t corner, FitPoint point) {
    if (corner >= CornerCount || !IsAcceptable(point)) {
        return false;
    }
    corners_[corner] = point;
    pin_ = CornerPin(corners_);
    return true;
}

bool PumpkinFit::SetGridOffset(std::size_t handle, FitPoint offset) {
    if (handle >= GridCount || !IsAcceptable(offset)) {
        return false;
    }
    offsets_[handle] = offset;
    return true;
}

void PumpkinFit::Reset() {
    corners_ = PictureCorners;
    offsets_ = {};
    pin_ = CornerPin(corners_);
}

std::size_t PumpkinFit::GetActiveHandleCount() const {
    return grid_ ? HandleCount : CornerCount;
}

FitPoint PumpkinFit::GridRest(std::size_t handle) {
    const std::size_t column = handle % GridSide + 1;
    const std::size_t row = handle / GridSide + 1;
    return {static_cast<float>(double(column) / LatticeSteps),
            static_cast<float>(double(row) / LatticeSteps)};
}

std::optional<FitPoint> PumpkinFit::GetHandle(std::size_t handle) const {
    if (handle < CornerCount) {
        return corners_[handle];
    }
    if (handle >= HandleCount) {
        return std::nullopt;
    }
    const FitPoint rest = GridRest(handle - CornerCount);
    const FitPoint offset = offsets_[handle - CornerCount];
    return pin_.Map(double{rest.x} + offset.x, double{rest.y} + offset.y);
}

bool PumpkinFit::MoveHandle(std::size_t handle, FitPoint point) {
    if (handle < CornerCount) {
        return SetCorner(handle, point);
    }
    if (handle >= HandleCount || !IsAcceptable(point)) {
        return false;
    }
    const std::optional<FitPoint> source = pin_.Unmap(point);
    if (!source) {
        return false;
    }
    const FitPoint rest = GridRest(handle - CornerCount);
    return SetGridOffset(handle - CornerCount, {source->x - rest.x, source->y - rest.y});
}

bool PumpkinFit::IsIdentity() const {
    return corners_ == PictureCorners && !IsBent();
}

bool PumpkinFit::IsBent() const {
    return grid_ && std::any_of(offsets_.begin(), offsets_.end(),
                                [](FitPoint offset) { return offset != FitPoint{}; });
}

FitPoint PumpkinFit::Bend(double x, double y) const {
    // At rest every offset is zero and so is the sum below; only a grid
    // that is off needs no sum at all.
    if (!grid_) {
        return {};
    }
    const std::array<double, GridSide> across{Kernel(x * LatticeSteps - 1.0),
                                              Kernel(x * LatticeSteps - 2.0),
                                              Kernel(x * LatticeSteps - 3.0)};
    const std::array<double, GridSide> down{Kernel(y * LatticeSteps - 1.0),
                                            Kernel(y * LatticeSteps - 2.0),
                                            Kernel(y * LatticeSteps - 3.0)};
    // Row by row, as the handles are numbered; unrolled, as the renderer
    // bends every point and probe of every frame and the loops cost a third.
    double dx = 0;
    double dy = 0;
    auto offset = offsets_.begin();
#pragma GCC unroll 3
    for (double rowWeight : down) {
#pragma GCC unroll 3
        for (double columnWeight : across) {
            const double weight = columnWeight * rowWeight;
            dx += weight * offset->x;
            dy += weight * offset->y;
            ++offset;
        }
    }
    return {static_cast<float>(dx), static_cast<float>(dy)};
}

std::optional<FitPoint> PumpkinFit::Map(FitPoint point) const {
    const FitPoint bend = Bend(point.x, point.y);
    return pin_.Map(double{point.x} + bend.x, double{point.y} + bend.y);
}

} // namespace vel::lumo
