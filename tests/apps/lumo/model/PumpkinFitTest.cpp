#include "apps/lumo/model/PumpkinFit.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

namespace vel::lumo {
namespace {

constexpr float Width = 1920;
constexpr float Height = 1080;
constexpr std::size_t Centre = PumpkinFit::CornerCount + 4;

const std::vector<FitPoint> PictureCorners{{0, 0}, {1, 0}, {1, 1}, {0, 1}};

PumpkinFit Pinned(const std::vector<FitPoint>& corners) {
    PumpkinFit fit;
    for (std::size_t corner = 0; corner < corners.size(); ++corner) {
        EXPECT_TRUE(fit.SetCorner(corner, corners[corner]));
    }
    return fit;
}

// A perspective pin with the grid's centre handle pushed up and to the right.
PumpkinFit Bent() {
    PumpkinFit fit = Pinned({{0.1f, 0.05f}, {0.92f, 0.12f}, {0.85f, 0.9f}, {0.05f, 0.97f}});
    fit.SetGridOn(true);
    EXPECT_TRUE(fit.SetGridOffset(4, {0.06f, -0.08f}));
    EXPECT_TRUE(fit.SetGridOffset(0, {-0.03f, 0.02f}));
    return fit;
}

double PixelDistance(FitPoint a, FitPoint b) {
    return std::hypot(double{a.x - b.x} * Width, double{a.y - b.y} * Height);
}

// The distance in pixels from p to the closed polyline.
double DistanceToOutline(FitPoint p, const std::vector<FitPoint>& outline) {
    double nearest = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < outline.size(); ++i) {
        const FitPoint a = outline[i];
        const FitPoint b = outline[(i + 1) % outline.size()];
        const double dx = double{b.x - a.x} * Width;
        const double dy = double{b.y - a.y} * Height;
        const double px = double{p.x - a.x} * Width;
        const double py = double{p.y - a.y} * Height;
        const double length = dx * dx + dy * dy;
        const double t = length > 0 ? std::clamp((px * dx + py * dy) / length, 0.0, 1.0) : 0.0;
        nearest = std::min(nearest, std::hypot(px - t * dx, py - t * dy));
    }
    return nearest;
}

TEST(PumpkinFitTest, TheCornerPinMapsTheFourCornersExactly) {
    const std::vector<std::vector<FitPoint>> quadrilaterals{
        {{0.1f, 0.2f}, {0.9f, 0.1f}, {0.8f, 0.95f}, {0.15f, 0.7f}},     // convex
        {{0.2f, 0.2f}, {1.3f, 0.2f}, {1.1f, 1.2f}, {0.4f, 1.2f}},       // a parallelogram's kin
        {{0, 0}, {1, 0}, {0.3f, 0.3f}, {0, 1}},                         // non-convex
        {{-0.5f, 0.25f}, {0.75f, -0.1f}, {0.6f, 0.33f}, {0.9f, 1.6f}}}; // crossed
    for (const auto& corners : quadrilaterals) {
        PumpkinFit fit = Pinned(corners);
        for (bool grid : {false, true}) {
            fit.SetGridOn(grid);
            ASSERT_TRUE(fit.SetGridOffset(0, {0.1f, 0.1f}));
            for (std::size_t corner = 0; corner < corners.size(); ++corner) {
                EXPECT_EQ(fit.Map(PictureCorners[corner]), corners[corner]) << corner;
                EXPECT_EQ(fit.GetHandle(corner), corners[corner]);
            }
        }
    }
}

TEST(PumpkinFitTest, AnUntouchedGridIsTheIdentityOnTopOfThePin) {
    PumpkinFit fit;
    fit.SetGridOn(true);
    EXPECT_TRUE(fit.IsIdentity());
    const std::vector<FitPoint> points{{0.5f, 0.5f}, {0.13f, 0.77f}, {-0.3f, 1.4f}, {0.25f, 0.75f}};
    for (FitPoint p : points) {
        EXPECT_EQ(fit.Map(p), p);
    }
    EXPECT_EQ(fit.WarpOutline(points, Width, Height), points);

    PumpkinFit pinned = Pinned({{0.1f, 0.2f}, {0.9f, 0.1f}, {0.8f, 0.95f}, {0.15f, 0.7f}});
    PumpkinFit gridded = pinned;
    gridded.SetGridOn(true);
    for (FitPoint p : points) {
        EXPECT_EQ(gridded.Map(p), pinned.Map(p));
    }
    // Straight lines stay straight under a pin alone: no edge is cut.
    EXPECT_EQ(gridded.WarpOutline(points, Width, Height).size(), points.size());
}

// Where a bent fit shows a point is known to the last bit: the fitted
// frames and videos are drawn from it, so that a faster way of working it
// out must give the same pixels.
TEST(PumpkinFitTest, ABentFitShowsPointsAtTheirKnownPlacesToTheLastBit) {
    PumpkinFit fit = Pinned({{0.05f, 0.04f}, {1.04f, -0.03f}, {0.95f, 0.96f}, {-0.04f, 1.03f}});
    fit.SetGridOn(true);
    for (std::size_t handle = 0; handle < PumpkinFit::GridCount; ++handle) {
        const float step = static_cast<float>(handle);
        ASSERT_TRUE(fit.SetGridOffset(
            handle, {0.03f * static_cast<float>(handle % 3) - 0.02f, 0.01f * step - 0.04f}));
    }
    const std::vector<std::pair<FitPoint, FitPoint>> known{
        {{0.1f, 0.2f}, {0x1.fee21ep-4f, 0x1.be0788p-3f}},
        {{0.37f, 0.61f}, {0x1.67a34p-2f, 0x1.42289ap-1f}},
        {{0.5f, 0.5f}, {0x1.05119cp-1f, 0x1.ff487ep-2f}},
        {{0.83f, 0.29f}, {0x1.c219fp-1f, 0x1.04c32cp-2f}},
        {{0.66f, 0.94f}, {0x1.3fca9ep-1f, 0x1.dd5372p-1f}}};
    for (const auto& [point, shown] : known) {
        EXPECT_EQ(fit.Map(point), shown) << point.x << ", " << point.y;
    }
}

TEST(PumpkinFitTest, APointMovesContinuouslyAsAHandleMoves) {
    const FitPoint probe{0.4f, 0.45f};
    for (std::size_t handle : {std::size_t{0}, std::size_t{2}, Centre}) {
        PumpkinFit fit = Bent();
        const FitPoint start = *fit.GetHandle(handle);
        FitPoint last = *fit.Map(probe);
        for (int step = 1; step <= 50; ++step) {
            const float nudge = 0.001f * float(step);
            ASSERT_TRUE(fit.MoveHandle(handle, {start.x + nudge, start.y - nudge})) << handle;
            const FitPoint now = *fit.Map(probe);
            // A thousandth of the picture moves the point by a few pixels at most.
            EXPECT_LT(PixelDistance(now, last), 6.0) << handle << " step " << step;
            last = now;
        }
        EXPECT_GT(PixelDistance(last, *Bent().Map(probe)), 1.0) << handle;
    }
}

TEST(PumpkinFitTest, AGridHandleShowsWhereItWasMovedAndBendsThePictureThroughIt) {
    PumpkinFit fit = Bent();
    const FitPoint target{0.55f, 0.42f};
    ASSERT_TRUE(fit.MoveHandle(Centre, target));
    EXPECT_LT(PixelDistance(*fit.GetHandle(Centre), target), 0.01);
    EXPECT_LT(PixelDistance(*fit.Map({0.5f, 0.5f}), target), 0.01);
    // The picture's edges do not bend.
    PumpkinFit pinOnly = fit;
    pinOnly.SetGridOn(false);
    EXPECT_LT(PixelDistance(*fit.Map({0.5f, 0}), *pinOnly.Map({0.5f, 0})), 0.01);
    EXPECT_LT(PixelDistance(*fit.Map({1, 0.3f}), *pinOnly.Map({1, 0.3f})), 0.01);
    EXPECT_GT(PixelDistance(*fit.Map({0.5f, 0.5f}), *pinOnly.Map({0.5f, 0.5f})), 10.0);
}

TEST(PumpkinFitTest, AWarpedOutlineUnderABentGridStaysCloseToTheDenseMapping) {
    const PumpkinFit fit = Bent();
    const std::vector<FitPoint> square{{0.2f, 0.2f}, {0.8f, 0.2f}, {0.8f, 0.8f}, {0.2f, 0.8f}};
    const std::vector<FitPoint> warped = fit.WarpOutline(square, Width, Height);
    EXPECT_GT(warped.size(), square.size());
    // Subdivided only as needed: far fewer points than the dense sampling.
    EXPECT_LT(warped.size(), 400u);
    constexpr int Dense = 2000;
    for (std::size_t side = 0; side < square.size(); ++side) {
        const FitPoint a = square[side];
        const FitPoint b = square[(side + 1) % square.size()];
        for (int i = 0; i < Dense; ++i) {
            const float t = float(i) / Dense;
            const FitPoint p{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
            EXPECT_LT(DistanceToOutline(*fit.Map(p), warped), 0.5) << side << " at " << t;
        }
    }
    // The outline's own points show exactly where the fit maps them.
    for (FitPoint corner : square) {
        EXPECT_NE(std::find(warped.begin(), warped.end(), *fit.Map(corner)), warped.end());
    }
}

TEST(PumpkinFitTest, EdgesBeyondTheGridsReachAreNotCut) {
    // A pin without perspective, so that no horizon cuts the far outline.
    PumpkinFit fit = Pinned({{0.1f, 0.1f}, {0.9f, 0.1f}, {0.9f, 0.9f}, {0.1f, 0.9f}});
    fit.SetGridOn(true);
    ASSERT_TRUE(fit.SetGridOffset(0, {0.05f, 0.05f}));
    const std::vector<FitPoint> far{{3, -40}, {900, -40}, {900, -2}, {3, -2}};
    const std::vector<FitPoint> warped = fit.WarpOutline(far, Width, Height);
    ASSERT_EQ(warped.size(), far.size());
    for (std::size_t i = 0; i < far.size(); ++i) {
        EXPECT_EQ(warped[i], fit.GetPin().Map(far[i].x, far[i].y));
    }
}

TEST(PumpkinFitTest, WhatLiesBeyondTheHorizonIsCutAway) {
    // Non-convex: the picture's top-left part passes through infinity.
    const PumpkinFit fit = Pinned({{0, 0}, {1, 0}, {0.3f, 0.3f}, {0, 1}});
    const std::vector<FitPoint> hidden{{0, 0}, {0.1f, 0}, {0.1f, 0.1f}, {0, 0.1f}};
    EXPECT_TRUE(fit.WarpOutline(hidden, Width, Height).empty());
    const std::vector<FitPoint> near{{0.9f, 0.9f}, {1, 0.9f}, {1, 1}, {0.9f, 1}};
    const std::vector<FitPoint> shown = fit.WarpOutline(near, Width, Height);
    ASSERT_EQ(shown.size(), near.size());
    for (std::size_t i = 0; i < near.size(); ++i) {
        EXPECT_EQ(shown[i], fit.Map(near[i]));
    }
    // The whole picture is cut where it leaves for infinity: far away, but finite.
    const std::vector<FitPoint> whole = fit.WarpOutline(PictureCorners, Width, Height);
    EXPECT_EQ(whole.size(), 5u);
    for (FitPoint p : whole) {
        EXPECT_TRUE(std::isfinite(p.x) && std::isfinite(p.y));
        EXPECT_LT(std::abs(p.x) + std::abs(p.y), 1e5f);
    }
}

TEST(PumpkinFitTest, ThreeCornersInALineMapNothingUntilOneMovesAway) {
    PumpkinFit fit = Pinned({{0, 0}, {0.5f, 0.5f}, {1, 1}, {0, 1}});
    EXPECT_FALSE(fit.GetPin().IsUsable());
    EXPECT_EQ(fit.Map({0.5f, 0.5f}), std::nullopt);
    EXPECT_TRUE(fit.WarpOutline(PictureCorners, Width, Height).empty());
    EXPECT_FALSE(fit.MoveHandle(Centre, {0.5f, 0.5f}));
    EXPECT_EQ(fit.GetHandle(Centre), std::nullopt);
    ASSERT_TRUE(fit.MoveHandle(1, {1, 0}));
    EXPECT_EQ(fit.Map({0.5f, 0.5f}), (FitPoint{0.5f, 0.5f}));
}

TEST(PumpkinFitTest, RefusesHandlesBeyondTheLimitOrPastTheEnd) {
    PumpkinFit fit;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    for (FitPoint bad : {FitPoint{nan, 0}, FitPoint{0, std::numeric_limits<float>::infinity()},
                         FitPoint{2e6f, 0}, FitPoint{0, -1e30f}}) {
        EXPECT_FALSE(fit.MoveHandle(0, bad));
        EXPECT_FALSE(fit.MoveHandle(Centre, bad));
        EXPECT_FALSE(fit.SetGridOffset(0, bad));
    }
    EXPECT_FALSE(fit.MoveHandle(PumpkinFit::HandleCount, {0.5f, 0.5f}));
    EXPECT_EQ(fit, PumpkinFit{});
}

TEST(PumpkinFitTest, ResetPutsEveryHandleBackAndKeepsTheGridSwitch) {
    PumpkinFit fit = Bent();
    EXPECT_EQ(fit.GetActiveHandleCount(), PumpkinFit::HandleCount);
    fit.Reset();
    EXPECT_TRUE(fit.IsIdentity());
    EXPECT_TRUE(fit.IsGridOn());
    fit.SetGridOn(false);
    EXPECT_EQ(fit, PumpkinFit{});
    EXPECT_EQ(fit.GetActiveHandleCount(), PumpkinFit::CornerCount);
}

TEST(PumpkinFitTest, TheGridKeepsItsBendsWhileItIsOff) {
    PumpkinFit fit = Bent();
    const std::optional<FitPoint> bent = fit.Map({0.5f, 0.5f});
    fit.SetGridOn(false);
    EXPECT_FALSE(fit.IsBent());
    EXPECT_NE(fit.Map({0.5f, 0.5f}), bent);
    fit.SetGridOn(true);
    EXPECT_EQ(fit.Map({0.5f, 0.5f}), bent);
}

} // namespace
} // namespace vel::lumo
