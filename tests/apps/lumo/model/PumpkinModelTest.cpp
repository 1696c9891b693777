#include "apps/lumo/model/PumpkinModel.h"

#include "apps/lumo/model/StandardKnobs.h"

#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

const KnobKey Blink("eyeblink");

// One shape whose base pose is a triangle and whose second pose, driven by
// the blink knob, is the same triangle shifted by (10, 0).
class PumpkinModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(model.AddKnob(StandardKnobs()[3]));
        ASSERT_TRUE(model.InsertNewShape(0));
        ASSERT_TRUE(model.InsertPose(0, 0, KnobKey("first"), base));
        ASSERT_TRUE(model.InsertPose(0, 1, Blink, shifted));
    }

    PumpkinModel model;
    std::vector<Point> base{{0, 0}, {1, 0}, {0, 1}};
    std::vector<Point> shifted{{10, 0}, {11, 0}, {10, 1}};
};

TEST(PumpkinModelNewTest, StartsWithCandleKnobsAndPlaceholders) {
    PumpkinModel model;
    const auto& table = StandardKnobs();
    EXPECT_EQ(model.GetKnobs(), std::vector<Knob>(table.begin(), table.begin() + 3));
    EXPECT_EQ(model.GetStandardKnobs(), table);
    EXPECT_EQ(model.GetShapeCount(), 0u);
    EXPECT_EQ(model.GetShapeName(0), "Nonexistent Shape");
    EXPECT_EQ(model.GetShapeIllumination(0), 0u);
    EXPECT_EQ(model.GetPoseCount(0), 0u);
    EXPECT_EQ(model.GetPoseKnobKey(0, 0), KnobKey("???"));
    EXPECT_EQ(model.GetPoseName(0, 0), "Base");
    EXPECT_EQ(model.GetPoseName(0, 1), "???");
    EXPECT_TRUE(model.GetPosePoints(0, 0).empty());
    const Shape missing = model.GetShape(5);
    EXPECT_EQ(missing.illumination, Shape::CandleColor);
    EXPECT_TRUE(missing.name.empty());
    EXPECT_TRUE(missing.poses.empty());
    const CanvasSize canvas = model.GetCanvasSize();
    EXPECT_EQ(canvas.width, 1920u);
    EXPECT_EQ(canvas.height, 1080u);
    EXPECT_EQ(model.GetKnob(KnobKey("nothere")), Knob{});
    EXPECT_EQ(model.GetKnob(KnobKey("nothere")).intent, Knob::Intent::Interpolate);
}

TEST(PumpkinModelNewTest, NewShapeIsNamedByItsIndexAndTakesPointsOnlyWithAPose) {
    PumpkinModel model;
    EXPECT_FALSE(model.InsertNewShape(1));
    ASSERT_TRUE(model.InsertNewShape(0));
    EXPECT_EQ(model.GetShapeName(0), "Shape 0");
    EXPECT_EQ(model.GetShapeIllumination(0), 1u);
    EXPECT_EQ(model.GetPoseCount(0), 0u);
    EXPECT_FALSE(model.InsertPoint(0, 0, {1, 1}));
    ASSERT_TRUE(model.InsertNewShape(0));
    EXPECT_EQ(model.GetShapeName(0), "Shape 0");
    EXPECT_EQ(model.GetShapeName(1), "Shape 0");
    ASSERT_TRUE(model.InsertPose(1, 0, KnobKey("first"), {}));
    EXPECT_TRUE(model.InsertPoint(1, 0, {1, 1}));
    EXPECT_EQ(model.GetPosePoints(1, 0), (std::vector<Point>{{1, 1}}));
}

TEST_F(PumpkinModelTest, InsertPointChecksTheBasePoseAndWritesEveryPose) {
    EXPECT_FALSE(model.InsertPoint(0, 4, {5, 5}));
    EXPECT_EQ(model.GetPosePoints(0, 0), base);
    EXPECT_TRUE(model.InsertPoint(0, 3, {5, 5}));
    EXPECT_TRUE(model.InsertPoint(0, 0, {7, 7}));
    EXPECT_EQ(model.GetPosePoints(0, 0),
              (std::vector<Point>{{7, 7}, {0, 0}, {1, 0}, {0, 1}, {5, 5}}));
    EXPECT_EQ(model.GetPosePoints(0, 1),
              (std::vector<Point>{{7, 7}, {10, 0}, {11, 0}, {10, 1}, {5, 5}}));
    EXPECT_FALSE(model.InsertPoint(1, 0, {0, 0}));
}

TEST_F(PumpkinModelTest, InsertPointLeavesAPoseShorterThanTheIndexAlone) {
    ASSERT_TRUE(model.InsertPose(0, 2, Blink, {{20, 20}}));
    EXPECT_TRUE(model.InsertPoint(0, 3, {5, 5}));
    EXPECT_EQ(model.GetPosePoints(0, 2), (std::vector<Point>{{20, 20}}));
    EXPECT_EQ(model.GetPosePoints(0, 1).size(), 4u);
    // Deleting the point again restores every pose exactly.
    model.DeletePoint(0, 3);
    EXPECT_EQ(model.GetPosePoints(0, 0), base);
    EXPECT_EQ(model.GetPosePoints(0, 1), shifted);
    EXPECT_EQ(model.GetPosePoints(0, 2), (std::vector<Point>{{20, 20}}));
    // A pose exactly as long as the index receives the point at its end.
    EXPECT_TRUE(model.InsertPoint(0, 1, {6, 6}));
    EXPECT_EQ(model.GetPosePoints(0, 2), (std::vector<Point>{{20, 20}, {6, 6}}));
}

TEST_F(PumpkinModelTest, DeletePointSkipsShortPosesAndBadIndexes) {
    ASSERT_TRUE(model.InsertPose(0, 2, Blink, {{20, 20}}));
    model.DeletePoint(0, 7);
    model.DeletePoint(3, 0);
    EXPECT_EQ(model.GetPosePoints(0, 0), base);
    model.DeletePoint(0, 1);
    EXPECT_EQ(model.GetPosePoints(0, 0), (std::vector<Point>{{0, 0}, {0, 1}}));
    EXPECT_EQ(model.GetPosePoints(0, 1), (std::vector<Point>{{10, 0}, {10, 1}}));
    EXPECT_EQ(model.GetPosePoints(0, 2), (std::vector<Point>{{20, 20}}));
}

TEST_F(PumpkinModelTest, PoseKeysAndNamesFollowTheKnobList) {
    EXPECT_EQ(model.GetPoseName(0, 1), "Eyes Blink");
    EXPECT_EQ(model.GetPoseName(7, 0), "Base");
    EXPECT_EQ(model.GetPoseKnobKey(0, 2), KnobKey("NO POSE"));
    EXPECT_EQ(model.GetPoseName(0, 2), "???");
    EXPECT_TRUE(model.DeleteKnob(Blink));
    EXPECT_FALSE(model.DeleteKnob(Blink));
    EXPECT_EQ(model.GetPoseName(0, 1), "???");
    EXPECT_EQ(model.GetPoseKnobKey(0, 1), Blink);
    EXPECT_TRUE(model.SetPoseKnob(0, 1, CandleHueKey));
    EXPECT_EQ(model.GetPoseName(0, 1), "Candle Hue");
    EXPECT_FALSE(model.SetPoseKnob(0, 2, CandleHueKey));
    EXPECT_FALSE(model.SetPoseKnob(1, 0, CandleHueKey));
}

TEST_F(PumpkinModelTest, KnobListRefusesDuplicatesAndKeepsOrder) {
    Knob impostor = StandardKnobs()[3];
    impostor.name = "Impostor";
    impostor.intent = Knob::Intent::Rotate;
    EXPECT_FALSE(model.AddKnob(impostor));
    EXPECT_EQ(model.GetKnob(Blink), StandardKnobs()[3]);
    EXPECT_TRUE(model.AddKnob(StandardKnobs()[9]));
    EXPECT_TRUE(model.DeleteKnob(CandleSaturationKey));
    std::vector<KnobKey> keys;
    for (const Knob& knob : model.GetKnobs()) {
        keys.push_back(knob.key);
    }
    EXPECT_EQ(keys,
              (std::vector<KnobKey>{CandleHueKey, CandleLightnessKey, Blink, KnobKey("mOOO")}));
    EXPECT_TRUE(model.HasKnob(KnobKey("mOOO")));
    EXPECT_FALSE(model.HasKnob(CandleSaturationKey));
}

TEST_F(PumpkinModelTest, SetPointReturnsWhatItReplaced) {
    EXPECT_EQ(model.SetPoint(0, 2, 0, {9, 9}), (Point{9, 9}));
    EXPECT_EQ(model.SetPoint(0, 1, 3, {9, 9}), (Point{9, 9}));
    EXPECT_EQ(model.SetPoint(1, 0, 0, {9, 9}), (Point{9, 9}));
    EXPECT_EQ(model.GetPosePoints(0, 1), shifted);
    const Point old = model.SetPoint(0, 1, 2, {9, 9});
    EXPECT_EQ(old, (Point{10, 1}));
    EXPECT_EQ(model.GetPosePoints(0, 1)[2], (Point{9, 9}));
    EXPECT_EQ(model.SetPoint(0, 1, 2, old), (Point{9, 9}));
    EXPECT_EQ(model.GetPosePoints(0, 1), shifted);
}

TEST_F(PumpkinModelTest, MovesAreUndoneByTheOppositeMove) {
    EXPECT_TRUE(model.MovePose(0, 1, 0.25f, -3.5f));
    EXPECT_EQ(model.GetPosePoints(0, 0), base);
    EXPECT_EQ(model.GetPosePoints(0, 1)[0], (Point{10.25f, -3.5f}));
    EXPECT_TRUE(model.MovePose(0, 1, -0.25f, 3.5f));
    EXPECT_EQ(model.GetPosePoints(0, 1), shifted);
    EXPECT_TRUE(model.MoveShape(0, 2, 3));
    EXPECT_EQ(model.GetPosePoints(0, 0)[1], (Point{3, 3}));
    EXPECT_EQ(model.GetPosePoints(0, 1)[1], (Point{13, 3}));
    EXPECT_TRUE(model.MoveShape(0, -2, -3));
    EXPECT_EQ(model.GetPosePoints(0, 0), base);
    EXPECT_FALSE(model.MovePose(0, 2, 1, 1));
    EXPECT_FALSE(model.MoveShape(1, 1, 1));
    ASSERT_TRUE(model.InsertPose(0, 2, Blink, {}));
    EXPECT_TRUE(model.MovePose(0, 2, 1, 1));
}

TEST_F(PumpkinModelTest, InsertAndDeleteKeepTheOrderOfTheRest) {
    ASSERT_TRUE(model.InsertNewShape(1));
    ASSERT_TRUE(model.InsertNewShape(1));
    EXPECT_TRUE(model.SetShapeName(2, "Mouth"));
    EXPECT_TRUE(model.SetShapeIllumination(1, 7));
    EXPECT_EQ(model.GetShapeIllumination(1), 7u);
    EXPECT_FALSE(model.SetShapeName(3, "x"));
    EXPECT_FALSE(model.SetShapeIllumination(3, 0));
    EXPECT_FALSE(model.InsertShape(4, Shape{}));
    EXPECT_FALSE(model.DeleteShape(3));
    EXPECT_TRUE(model.DeleteShape(1));
    EXPECT_EQ(model.GetShapeName(1), "Mouth");
    EXPECT_FALSE(model.InsertPose(0, 3, Blink, {}));
    EXPECT_FALSE(model.DeletePose(0, 2));
    EXPECT_TRUE(model.DeletePose(0, 0));
    EXPECT_EQ(model.GetPosePoints(0, 0), shifted);
    EXPECT_EQ(model.GetPoseName(0, 0), "Base");
}

TEST_F(PumpkinModelTest, CloneSharesNothing) {
    std::unique_ptr<Model> copy = model.Clone();
    EXPECT_TRUE(copy->SetShapeName(0, "Changed"));
    EXPECT_TRUE(copy->MoveShape(0, 1, 1));
    EXPECT_TRUE(copy->DeleteKnob(Blink));
    EXPECT_EQ(model.GetShapeName(0), "Shape 0");
    EXPECT_EQ(model.GetPosePoints(0, 0), base);
    EXPECT_TRUE(model.HasKnob(Blink));
    EXPECT_EQ(copy->GetShapeCount(), 1u);
}

} // namespace
} // namespace vel::lumo
