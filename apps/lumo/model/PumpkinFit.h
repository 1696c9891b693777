#pragma once

#include "apps/lumo/model/CornerPin.h"
#include "apps/lumo/model/FitPoint.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace vel::lumo {

// How the picture is fitted to the real pumpkin: the corner pin puts the
// picture's rectangle onto four corners, and an optional 3 × 3 grid of
// inner handles bends it smoothly for a round surface. Everything is in
// fractions of the picture (FitPoint), so one fit serves every picture size.
//
// The handles are numbered in the order Tab visits them: the corners
// top-left, top-right, bottom-right, bottom-left, then the grid's handles
// row by row from the top-left. A grid handle rests at a quarter, half or
// three quarters of the picture's width and height and keeps its offset
// from there in the picture before the pin, so the bends follow the
// corners when they move.
class PumpkinFit {
public:
    static constexpr std::size_t CornerCount = 4;
    static constexpr std::size_t GridSide = 3;
    static constexpr std::size_t GridCount = GridSide * GridSide;
    static constexpr std::size_t HandleCount = CornerCount + GridCount;
    // Coordinates a fit accepts, so that every fit in memory also loads.
    static constexpr float CoordinateLimit = 1e6f;

    using Corners = CornerPin::Corners;
    using Offsets = std::array<FitPoint, GridCount>;

    // The identity: the corners on the picture's corners, the grid off and
    // at rest.
    PumpkinFit();

    static bool IsAcceptable(FitPoint point);

    const Corners& GetCorners() const { return corners_; }
    const Offsets& GetGridOffsets() const { return offsets_; }
    bool IsGridOn() const { return grid_; }
    // The grid keeps its offsets while it is off, so switching it on again
    // brings the bends back.
    void SetGridOn(bool on) { grid_ = on; }
    // False, changing nothing, for an index past the end or a coordinate
    // that is no number or beyond the limit.
    bool SetCorner(std::size_t corner, FitPoint point);
    bool SetGridOffset(std::size_t handle, FitPoint offset);
    // Puts every handle back at rest; the grid's switch stays as it is.
    void Reset();

    // The handles a user can move now: the corners, and the grid's when on.
    std::size_t GetActiveHandleCount() const;
    // Where the handle shows on the picture; none for a grid handle the
    // pin cannot map (three corners in a line, or on the horizon).
    std::optional<FitPoint> GetHandle(std::size_t handle) const;
    // Moves the handle so that it shows at the point. False, changing
    // nothing, for an index past the end, a point beyond the limit, or a
    // grid handle that the pin cannot put there.
    bool MoveHandle(std::size_t handle, FitPoint point);

    // Whether mapping changes nothing at all.
    bool IsIdentity() const;
    // Whether the grid is on and bent, so that straight lines curve.
    bool IsBent() const;
    // Where a point of the picture shows; none on the horizon or when three
    // corners lie on a line.
    std::optional<FitPoint> Map(FitPoint point) const;
    // The outline of a shape, closed from its last point to its first, as
    // it shows: edges that the grid bends are cut into pieces that stay
    // within a quarter pixel of the curve on a picture of width × height
    // pixels (a corner pin alone keeps straight lines straight and cuts
    // nothing), and what lies beyond the horizon is cut away.
    std::vector<FitPoint> WarpOutline(const std::vector<FitPoint>& outline, float width,
                                      float height) const;

    const CornerPin& GetPin() const { return pin_; }
    // The grid's bend at a point of the picture: the offset by which it
    // moves before the pin (zero with the grid off or at rest).
    FitPoint Bend(double x, double y) const;

    friend bool operator==(const PumpkinFit& a, const PumpkinFit& b) {
        return a.corners_ == b.corners_ && a.offsets_ == b.offsets_ && a.grid_ == b.grid_;
    }

private:
    static FitPoint GridRest(std::size_t handle);

    Corners corners_;
    Offsets offsets_{};
    bool grid_ = false;
    CornerPin pin_;
};

} // namespace vel::lumo
