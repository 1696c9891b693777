#include "apps/lumo/model/KnobTimeline.h"

#include "apps/lumo/model/StandardKnobs.h"

#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

const KnobKey Mouth("mouth");

class KnobTimelineTest : public ::testing::Test {
protected:
    void SetUp() override {
        knobs = {StandardKnobs()[0], StandardKnobs()[7]};
        timeline.Synchronise(knobs);
    }

    std::vector<Knob> knobs;
    KnobTimeline timeline;
};

TEST_F(KnobTimelineTest, NewTrackHoldsTheTypicalValue) {
    EXPECT_EQ(timeline.GetFrameRate(), 29970u);
    EXPECT_EQ(timeline.GetHighestAnchorFrame(), 0u);
    EXPECT_EQ(timeline.GetReserved(), 0u);
    ASSERT_EQ(timeline.GetTracks().size(), 2u);
    EXPECT_EQ(timeline.FindTrack(Mouth)->GetAnchors(), (std::vector<Anchor>{{0, 0.1f}}));
    EXPECT_EQ(timeline.ValueAt(Mouth, 0), 0.1f);
    EXPECT_EQ(timeline.ValueAt(Mouth, 100000), 0.1f);
    EXPECT_EQ(timeline.ValuesAt(7), (KnobValues{{CandleHueKey, 56.0f}, {Mouth, 0.1f}}));
    EXPECT_FALSE(timeline.ValueAt(KnobKey("nothere"), 0).has_value());
}

TEST_F(KnobTimelineTest, InterpolatesLinearlyAndHoldsAfterTheLastAnchor) {
    timeline.SetAnchor(Mouth, 0, 0.0f);
    ASSERT_TRUE(timeline.InsertAnchor(Mouth, 10, 1.0f));
    EXPECT_EQ(timeline.ValueAt(Mouth, 5), 0.5f);
    EXPECT_EQ(timeline.ValueAt(Mouth, 10), 1.0f);
    EXPECT_EQ(timeline.ValueAt(Mouth, 1000), 1.0f);
    ASSERT_TRUE(timeline.InsertAnchor(Mouth, 4, -1.0f));
    EXPECT_FLOAT_EQ(*timeline.ValueAt(Mouth, 1), -0.25f);
    EXPECT_FLOAT_EQ(*timeline.ValueAt(Mouth, 7), 0.0f);
    EXPECT_EQ(timeline.GetHighestAnchorFrame(), 10u);
}

TEST_F(KnobTimelineTest, TrackWithoutAnchorAtZeroTakesItsFirstValueBefore) {
    const KnobKey orphan("orphan");
    EXPECT_TRUE(timeline.TrackFor(orphan).IsEmpty());
    EXPECT_FALSE(timeline.ValuesAt(0).contains(orphan));
    timeline.SetAnchor(orphan, 20, 3.0f);
    timeline.SetAnchor(orphan, 10, 1.0f);
    timeline.SetAnchor(orphan, 20, 2.0f);
    EXPECT_EQ(timeline.FindTrack(orphan)->GetAnchors(), (std::vector<Anchor>{{10, 1}, {20, 2}}));
    EXPECT_EQ(timeline.ValueAt(orphan, 0), 1.0f);
    EXPECT_EQ(timeline.ValueAt(orphan, 15), 1.5f);
    EXPECT_EQ(timeline.ValuesAt(0).at(orphan), 1.0f);
    EXPECT_EQ(timeline.GetHighestAnchorFrame(), 20u);
}

TEST_F(KnobTimelineTest, FirstAnchorCanChangeValueButNotGo) {
    EXPECT_FALSE(timeline.DeleteAnchor(Mouth, 0));
    EXPECT_FALSE(timeline.MoveAnchor(Mouth, 0, 5, 0.7f));
    EXPECT_FALSE(timeline.HasAnchor(Mouth, 5));
    EXPECT_TRUE(timeline.MoveAnchor(Mouth, 0, 0, 0.7f));
    EXPECT_EQ(timeline.ValueAt(Mouth, 0), 0.7f);
    timeline.SetAnchor(Mouth, 0, 0.3f);
    EXPECT_EQ(timeline.FindTrack(Mouth)->GetAnchors(), (std::vector<Anchor>{{0, 0.3f}}));
}

TEST_F(KnobTimelineTest, RejectedChangesLeaveTheTrackAsItWas) {
    ASSERT_TRUE(timeline.InsertAnchor(Mouth, 30, 0.5f));
    ASSERT_TRUE(timeline.InsertAnchor(Mouth, 60, 0.9f));
    const KnobTrack before = *timeline.FindTrack(Mouth);
    EXPECT_FALSE(timeline.InsertAnchor(Mouth, 30, 0.0f));
    EXPECT_FALSE(timeline.MoveAnchor(Mouth, 30, 60, 0.0f));
    EXPECT_FALSE(timeline.MoveAnchor(Mouth, 45, 50, 0.0f));
    EXPECT_FALSE(timeline.DeleteAnchor(Mouth, 45));
    EXPECT_FALSE(timeline.DeleteAnchor(KnobKey("nothere"), 30));
    EXPECT_FALSE(timeline.HasAnchor(KnobKey("nothere"), 0));
    EXPECT_EQ(*timeline.FindTrack(Mouth), before);
    EXPECT_EQ(timeline.GetTracks().size(), 2u);
}

TEST_F(KnobTimelineTest, MoveAndDeleteNeverLowerTheHighestAnchorFrame) {
    ASSERT_TRUE(timeline.InsertAnchor(Mouth, 90, 0.5f));
    EXPECT_TRUE(timeline.MoveAnchor(Mouth, 90, 40, 0.6f));
    EXPECT_EQ(timeline.FindTrack(Mouth)->GetAnchors(),
              (std::vector<Anchor>{{0, 0.1f}, {40, 0.6f}}));
    EXPECT_TRUE(timeline.DeleteAnchor(Mouth, 40));
    EXPECT_EQ(timeline.GetHighestAnchorFrame(), 90u);
    EXPECT_TRUE(timeline.MoveAnchor(Mouth, 0, 0, 0.2f));
    EXPECT_TRUE(timeline.InsertAnchor(Mouth, 120, 0.5f));
    EXPECT_EQ(timeline.GetHighestAnchorFrame(), 120u);
}

TEST_F(KnobTimelineTest, SynchroniseKeepsTracksOfRemainingKnobs) {
    ASSERT_TRUE(timeline.InsertAnchor(Mouth, 30, 0.5f));
    timeline.SetAnchor(KnobKey("orphan"), 5, 1.0f);
    knobs.erase(knobs.begin());
    knobs.push_back(StandardKnobs()[4]);
    timeline.Synchronise(knobs);
    ASSERT_EQ(timeline.GetTracks().size(), 2u);
    EXPECT_EQ(timeline.FindTrack(Mouth)->GetAnchors(),
              (std::vector<Anchor>{{0, 0.1f}, {30, 0.5f}}));
    EXPECT_EQ(timeline.FindTrack(KnobKey("eyepan"))->GetAnchors(),
              (std::vector<Anchor>{{0, 0.5f}}));
    EXPECT_EQ(timeline.FindTrack(CandleHueKey), nullptr);
    EXPECT_EQ(timeline.FindTrack(KnobKey("orphan")), nullptr);
    // A knob that comes back starts afresh at its typical value.
    knobs.push_back(StandardKnobs()[0]);
    timeline.Synchronise(knobs);
    EXPECT_EQ(timeline.ValueAt(CandleHueKey, 100), 56.0f);
}

} // namespace
} // namespace vel::lumo
