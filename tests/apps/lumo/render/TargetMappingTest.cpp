#include "apps/lumo/render/TargetMapping.h"

#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

using graphics::PointF;

TEST(TargetMappingTest, UnitIsHalfTheShorterSideAroundTheCentre) {
    const TargetMapping wide(400, 300);
    EXPECT_EQ(wide.ToTarget({0, 0}), (PointF{200, 150}));
    EXPECT_EQ(wide.ToTarget({1, 1}), (PointF{350, 0}));
    EXPECT_EQ(wide.ToTarget({-1, -1}), (PointF{50, 300}));
    const TargetMapping tall(300, 400);
    EXPECT_EQ(tall.ToTarget({1, 1}), (PointF{300, 50}));
    EXPECT_EQ(tall.ToTarget({-1, -1}), (PointF{0, 350}));
    const TargetMapping square(500, 500);
    EXPECT_EQ(square.ToTarget({-1, 1}), (PointF{0, 0}));
    EXPECT_EQ(square.ToTarget({1, -1}), (PointF{500, 500}));
    // Nothing is clipped.
    EXPECT_EQ(wide.ToTarget({3, 0}), (PointF{650, 150}));
}

TEST(TargetMappingTest, ViewportGivesOnlyTheSize) {
    const TargetMapping mapping(graphics::RectF{10, 20, 410, 320});
    EXPECT_EQ(mapping.ToTarget({0, 0}), (PointF{200, 150}));
}

TEST(TargetMappingTest, InverseRoundTrips) {
    for (const TargetMapping& mapping :
         {TargetMapping(1920, 1080), TargetMapping(300, 400), TargetMapping(333, 333)}) {
        for (Point model : {Point{0, 0}, Point{1, 1}, Point{-1.5f, 0.25f}, Point{0.3f, -0.7f}}) {
            const Point back = mapping.ToModel(mapping.ToTarget(model));
            EXPECT_NEAR(back.x, model.x, 1e-5);
            EXPECT_NEAR(back.y, model.y, 1e-5);
        }
    }
    const TargetMapping wide(400, 300);
    EXPECT_EQ(wide.ToModel({200, 150}), (Point{0, 0}));
    EXPECT_EQ(wide.ToModel({350, 0}), (Point{1, 1}));
    EXPECT_EQ(wide.ToModel({50, 300}), (Point{-1, -1}));
}

} // namespace
} // namespace vel::lumo
