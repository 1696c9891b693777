#include "apps/lumo/model/FrameEvaluation.h"

#include "apps/lumo/model/Hsl.h"
#include "apps/lumo/model/PumpkinModel.h"
#include "apps/lumo/model/StandardKnobs.h"

#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

const KnobKey A("a");
const KnobKey B("b");

void ExpectColor(const Rgba& color, float r, float g, float b) {
    EXPECT_NEAR(color.red, r, 1e-3f);
    EXPECT_NEAR(color.green, g, 1e-3f);
    EXPECT_NEAR(color.blue, b, 1e-3f);
    EXPECT_EQ(color.alpha, 1.0f);
}

class FrameEvaluationTest : public ::testing::Test {
protected:
    // An eye whose two poses have fewer and more points than its base.
    Shape shape{Shape::CandleColor,
                "eye",
                {{KnobKey("first"), {{0, 0}, {4, 0}}},
                 {A, {{2, 0}, {4, 4}}},
                 {B, {{0, 8}, {8, 8}, {9, 9}}}}};
};

TEST_F(FrameEvaluationTest, HslGivesKnownColours) {
    ExpectColor(HslToRgb(56.0f, 1.0f, 0.8f), 1.0f, 0.973f, 0.6f);
    ExpectColor(HslToRgb(0.0f, 0.0f, 0.5f), 0.5f, 0.5f, 0.5f);
    ExpectColor(HslToRgb(0.0f, 1.0f, 0.5f), 1.0f, 0.0f, 0.0f);
    ExpectColor(HslToRgb(120.0f, 1.0f, 0.5f), 0.0f, 1.0f, 0.0f);
    ExpectColor(HslToRgb(180.0f, 1.0f, 0.25f), 0.0f, 0.5f, 0.5f);
    ExpectColor(HslToRgb(240.0f, 1.0f, 0.5f), 0.0f, 0.0f, 1.0f);
    ExpectColor(HslToRgb(300.0f, 0.5f, 0.5f), 0.75f, 0.25f, 0.75f);
    // Inside each sector, where the intermediate component lies between 0 and the chroma.
    ExpectColor(HslToRgb(90.0f, 1.0f, 0.5f), 0.5f, 1.0f, 0.0f);
    ExpectColor(HslToRgb(150.0f, 1.0f, 0.5f), 0.0f, 1.0f, 0.5f);
    ExpectColor(HslToRgb(210.0f, 1.0f, 0.5f), 0.0f, 0.5f, 1.0f);
    ExpectColor(HslToRgb(270.0f, 1.0f, 0.5f), 0.5f, 0.0f, 1.0f);
}

TEST_F(FrameEvaluationTest, OutOfRangeHuesAreNotWrapped) {
    // A negative hue falls into the first sector with a negative remainder,
    // and 360 into the last sector, which then reads as red.
    ExpectColor(HslToRgb(-60.0f, 1.0f, 0.5f), 1.0f, -1.0f, 0.0f);
    ExpectColor(HslToRgb(360.0f, 1.0f, 0.5f), 1.0f, 0.0f, 0.0f);
    ExpectColor(HslToRgb(420.0f, 1.0f, 0.5f), 1.0f, 0.0f, 1.0f);
}

TEST_F(FrameEvaluationTest, MissingCandleKnobsCountAsZero) {
    ExpectColor(CandleColorOf({}), 0.0f, 0.0f, 0.0f);
    ExpectColor(CandleColorOf({{CandleLightnessKey, 1.0f}}), 1.0f, 1.0f, 1.0f);
}

TEST_F(FrameEvaluationTest, AnOutlineIsTheBaseOnlyWithoutWeights) {
    EXPECT_EQ(ShapeOutline(shape, {}), shape.poses[0].points);
    EXPECT_EQ(ShapeOutline(shape, {{A, 0.0f}, {B, 0.0f}}), shape.poses[0].points);
    // The base pose's own key is never looked up.
    EXPECT_EQ(ShapeOutline(shape, {{KnobKey("first"), 1.0f}}), shape.poses[0].points);
    EXPECT_TRUE(ShapeOutline(Shape{}, {{A, 1.0f}}).empty());
}

TEST_F(FrameEvaluationTest, PosesBlendOneAfterAnother) {
    EXPECT_EQ(ShapeOutline(shape, {{A, 0.5f}}), (std::vector<Point>{{1, 0}, {4, 2}}));
    // B pulls the result of A half-way toward itself, not the base pose.
    EXPECT_EQ(ShapeOutline(shape, {{A, 0.5f}, {B, 0.5f}}), (std::vector<Point>{{0.5f, 4}, {6, 5}}));
    // Weights are not clamped.
    EXPECT_EQ(ShapeOutline(shape, {{A, 2.0f}}), (std::vector<Point>{{4, 0}, {4, 8}}));
}

TEST_F(FrameEvaluationTest, WeightOneTakesThePoseWithItsPointCount) {
    EXPECT_EQ(ShapeOutline(shape, {{B, 1.0f}}), shape.poses[2].points);
    EXPECT_EQ(ShapeOutline(shape, {{B, 0.999f}}).size(), 2u);
    // A later pose blends only the points both lists have.
    shape.poses.push_back({KnobKey("c"), {{2, 0}, {4, 4}}});
    EXPECT_EQ(ShapeOutline(shape, {{B, 1.0f}, {KnobKey("c"), 0.5f}}),
              (std::vector<Point>{{1, 4}, {6, 6}, {9, 9}}));
    shape.poses.push_back({B, {{1, 1}}});
    EXPECT_EQ(ShapeOutline(shape, {{B, 1.0f}}), (std::vector<Point>{{1, 1}}));
}

TEST_F(FrameEvaluationTest, AFrameHasOneResultPerShapeWithCandleColourOnlyForLitShapes) {
    PumpkinModel model;
    for (std::uint64_t i = 0; i < 3; ++i) {
        ASSERT_TRUE(model.InsertNewShape(i));
        ASSERT_TRUE(model.InsertPose(i, 0, KnobKey("first"), {{float(i), 0}}));
    }
    ASSERT_TRUE(model.SetShapeIllumination(0, Shape::Dark));
    ASSERT_TRUE(model.SetShapeIllumination(2, 5));
    const KnobValues values{
        {CandleHueKey, 0.0f}, {CandleSaturationKey, 1.0f}, {CandleLightnessKey, 0.5f}};
    const std::vector<EvaluatedShape> result = model.EvaluateFrame(values);
    ASSERT_EQ(result.size(), 3u);
    EXPECT_EQ(result[0].color, (Rgba{0, 0, 0, 1}));
    ExpectColor(result[1].color, 1.0f, 0.0f, 0.0f);
    EXPECT_EQ(result[2].color, (Rgba{0, 0, 0, 1}));
    EXPECT_EQ(result[2].outline, (std::vector<Point>{{2, 0}}));
}

} // namespace
} // namespace vel::lumo
