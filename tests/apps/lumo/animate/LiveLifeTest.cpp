#include "apps/lumo/animate/LiveLife.h"

#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/StandardKnobs.h"

#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

namespace vel::lumo {
namespace {

// A new document with the standard knobs, each with its one anchor.
std::unique_ptr<LumoDocument> StandardDocument() {
    auto document = LumoDocument::New();
    for (const Knob& knob : StandardKnobs()) {
        document->GetModel().AddKnob(knob);
    }
    document->SynchroniseTimeline();
    return document;
}

// The lowest and highest value of the knob over the loop, a tenth of a second apart.
std::pair<float, float> Span(const LiveLife& life, const KnobKey& key) {
    float lowest = 1e9f;
    float highest = -1e9f;
    for (double t = 0; t < LiveLife::LoopSeconds; t += 0.1) {
        const float value = life.At(t).at(key);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    return {lowest, highest};
}

TEST(LiveLifeTest, UnkeyedEyesBlinkAndAnUnkeyedFlameFlickers) {
    const auto document = StandardDocument();
    const LiveLife life(*document, 7);
    const std::vector<KnobKey> keys = life.Keys();
    EXPECT_NE(std::find(keys.begin(), keys.end(), EyeBlinkKey), keys.end());
    EXPECT_NE(std::find(keys.begin(), keys.end(), CandleLightnessKey), keys.end());
    const auto [open, closed] = Span(life, EyeBlinkKey);
    EXPECT_LE(open, 0.1f);
    EXPECT_GE(closed, 0.9f) << "the eyes shut now and then";
    const auto [dim, bright] = Span(life, CandleLightnessKey);
    EXPECT_GT(bright - dim, 0.05f);
    EXPECT_EQ(life.At(3.0), life.At(3.0 + LiveLife::LoopSeconds));
}

TEST(LiveLifeTest, KnobsTheDocumentKeysAreLeftToItsKeys) {
    const auto document = StandardDocument();
    ASSERT_TRUE(document->GetTimeline().InsertAnchor(EyeBlinkKey, 40, 1.0f));
    ASSERT_TRUE(document->GetTimeline().InsertAnchor(CandleLightnessKey, 40, 0.2f));
    const LiveLife life(*document, 7);
    for (const KnobKey& key : life.Keys()) {
        EXPECT_NE(key, EyeBlinkKey);
        EXPECT_NE(key, CandleLightnessKey);
    }
    EXPECT_FALSE(life.At(1.0).contains(EyeBlinkKey));
}

} // namespace
} // namespace vel::lumo
