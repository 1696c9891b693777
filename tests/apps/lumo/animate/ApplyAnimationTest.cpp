#include "apps/lumo/animate/ApplyAnimation.h"

#include "apps/lumo/animate/StandardKeys.h"
#include "tests/support/CommandFixture.h"

#include <gmock/gmock.h>

namespace vel::lumo::test {
namespace {

using ::testing::ElementsAre;

std::vector<Anchor> AnchorsOf(const LumoDocument& document, const KnobKey& key) {
    const KnobTrack* track = document.GetTimeline().FindTrack(key);
    return track ? track->GetAnchors() : std::vector<Anchor>{};
}

class ApplyAnimationTest : public CommandTest {
protected:
    // Blinks between frames 20 and 50 and a mouth, which the document has no knob for yet.
    Animation BlinkAndMouth() const {
        return {{{EyeBlinkKey, {{20, 0.0f}, {25, 1.0f}, {40, 0.0f}}},
                 {MouthKey, {{20, 0.1f}, {30, 0.9f}, {49, 0.0f}}}},
                "test"};
    }
};

TEST_F(ApplyAnimationTest, ReplacesInsideTheRangeAddsMissingKnobsAndUndoesInOneStep) {
    const Snapshot before = Take();
    view_.Take();
    ASSERT_TRUE(ApplyAnimation(*doc_, "Lip Sync", {20, 50}, BlinkAndMouth()));
    EXPECT_EQ(doc_->GetUndoCount(), 1u);
    // Named as the whole step, not as the knob it added first.
    EXPECT_EQ(doc_->GetUndoName(), "Lip Sync");
    // The anchor at 30 lay inside and is gone; 0 and 60 lay outside and stay.
    EXPECT_THAT(AnchorsOf(*doc_, Blink),
                ElementsAre(Anchor{0, 0.1f}, Anchor{20, 0.0f}, Anchor{25, 1.0f}, Anchor{40, 0.0f},
                            Anchor{60, 0.25f}));
    ASSERT_TRUE(GetModel().HasKnob(Mouth));
    EXPECT_EQ(GetModel().GetKnob(Mouth).name, "Mouth");
    // The new knob's first anchor lies before the range and keeps the typical value.
    EXPECT_THAT(AnchorsOf(*doc_, Mouth),
                ElementsAre(Anchor{0, 0.1f}, Anchor{20, 0.1f}, Anchor{30, 0.9f}, Anchor{49, 0.0f}));
    const Snapshot done = Take();

    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(Take(), before);
    EXPECT_FALSE(GetModel().HasKnob(Mouth));
    ASSERT_TRUE(doc_->Redo());
    EXPECT_EQ(Take(), done);
}

// The range ends before its end frame: an anchor there lies outside it.
TEST_F(ApplyAnimationTest, AnAnchorOnTheRangesEndFrameStays) {
    const Snapshot before = Take();
    ASSERT_TRUE(ApplyAnimation(*doc_, "Lip Sync", {20, 60}, BlinkAndMouth()));
    EXPECT_THAT(AnchorsOf(*doc_, Blink),
                ElementsAre(Anchor{0, 0.1f}, Anchor{20, 0.0f}, Anchor{25, 1.0f}, Anchor{40, 0.0f},
                            Anchor{60, 0.25f}));
    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(Take(), before);
}

TEST_F(ApplyAnimationTest, ARangeFromFrameZeroSetsTheFirstAnchorAndUndoPutsItBack) {
    const Snapshot before = Take();
    const Animation animation{{{EyeBlinkKey, {{0, 0.9f}, {10, 0.0f}}}}, "test"};
    ASSERT_TRUE(ApplyAnimation(*doc_, "Add Blinks", {0, 45}, animation));
    EXPECT_THAT(AnchorsOf(*doc_, Blink),
                ElementsAre(Anchor{0, 0.9f}, Anchor{10, 0.0f}, Anchor{60, 0.25f}));
    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(Take(), before);
}

TEST_F(ApplyAnimationTest, AnEmptyRangeIsRefusedAndLeavesNoTrace) {
    const Snapshot before = Take();
    EXPECT_FALSE(ApplyAnimation(*doc_, "Lip Sync", {30, 30}, BlinkAndMouth()));
    EXPECT_EQ(doc_->GetUndoCount(), 0u);
    EXPECT_FALSE(doc_->IsModified());
    EXPECT_EQ(Take(), before);
}

TEST_F(ApplyAnimationTest, WarnsOfKnobsThatDriveNoPose) {
    // Shape 0 has poses on eyeblink and mouth; none on the other two mouth knobs.
    EXPECT_EQ(MissingPoseWarning(*doc_, {EyeBlinkKey, MouthKey}), std::nullopt);
    EXPECT_EQ(MissingPoseWarning(*doc_, {MouthKey, MouthRoundKey}),
              "No shape has a pose on Mouth OOO yet: its keys will show once one does");
    EXPECT_EQ(MissingPoseWarning(*doc_, {MouthKey, MouthWideKey, MouthRoundKey}),
              "No shape has a pose on Mouth EEE or Mouth OOO yet: their keys will show once one "
              "does");
    // The candle acts without poses.
    EXPECT_EQ(MissingPoseWarning(*doc_, {CandleLightnessKey, CandleHueKey}), std::nullopt);
}

} // namespace
} // namespace vel::lumo::test
