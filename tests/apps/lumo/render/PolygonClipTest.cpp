#include "apps/lumo/render/PolygonClip.h"

#include <cmath>
#include <gtest/gtest.h>
#include <vector>

namespace vel::lumo {
namespace {

TEST(PolygonClipTest, KeepsWhatIsInsideAndTheWindingOfCrossingOutlines) {
    const graphics::RectF rect{0, 0, 100, 100};
    const std::vector<graphics::PointF> inside{{10, 10}, {90, 10}, {50, 90}};
    EXPECT_EQ(ClipToRect(inside, rect), inside);
    EXPECT_TRUE(ClipToRect({{200, 200}, {300, 200}, {250, 300}}, rect).empty());
    // A bow tie crossing at (50, 50) with its ends far out: what is left stays
    // in the rectangle and still crosses there.
    const auto clipped = ClipToRect({{-1e6f, 0}, {1e6f, 100}, {1e6f, 0}, {-1e6f, 100}}, rect);
    ASSERT_GE(clipped.size(), 4u);
    for (graphics::PointF p : clipped) {
        EXPECT_TRUE(p.x >= 0 && p.x <= 100 && p.y >= 0 && p.y <= 100) << p.x << "," << p.y;
    }
    EXPECT_FALSE(IsFinite({{0, 0}, {std::nanf(""), 1}}));
}

} // namespace
} // namespace vel::lumo
