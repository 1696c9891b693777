#include "apps/lumo/model/KnobKey.h"

#include "apps/lumo/model/StandardKnobs.h"

#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

TEST(KnobKeyTest, TextIsTruncatedToEightBytesAndNulPadded) {
    EXPECT_EQ(KnobKey("canlight").Text(), "canlight");
    EXPECT_EQ(KnobKey("canlightXYZ").Text(), "canlight");
    EXPECT_EQ(KnobKey("canlightXYZ"), KnobKey("canlight"));
    const KnobKey::Bytes mouth{'m', 'o', 'u', 't', 'h', 0, 0, 0};
    EXPECT_EQ(KnobKey("mouth").GetBytes(), mouth);
    EXPECT_EQ(KnobKey("").Text(), "");
    EXPECT_EQ(KnobKey::FromBytes({'a', 0, 'b', 0, 0, 0, 0, 0}).Text(), "a");
}

TEST(KnobKeyTest, OrdersAsLittleEndianInteger) {
    // The last byte is the most significant: a longer key sorts after a
    // shorter one even when its first character is smaller, and keys of
    // equal length order by their last characters first.
    EXPECT_EQ(KnobKey("a").Value(), 0x61u);
    EXPECT_EQ(KnobKey("ab").Value(), 0x6261u);
    EXPECT_LT(KnobKey("b"), KnobKey("ab"));
    EXPECT_LT(KnobKey("ba"), KnobKey("ab"));
    const KnobKey high = KnobKey::FromBytes({0, 0, 0, 0, 0, 0, 0, static_cast<char>(0xFF)});
    EXPECT_EQ(high.Value(), 0xFF00000000000000u);
    EXPECT_LT(KnobKey("zzzzzzz"), high);
}

TEST(KnobKeyTest, TheStandardTableHoldsTenKnobsInOrder) {
    const auto& table = StandardKnobs();
    ASSERT_EQ(table.size(), 10u);
    const char* keys[] = {"canhue",   "cansat",   "canlight", "eyeblink", "eyepan",
                          "eyelwink", "eyerwink", "mouth",    "mEEE",     "mOOO"};
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(table[i].key.Text(), keys[i]);
    }
    EXPECT_EQ(table[0].key, CandleHueKey);
    EXPECT_EQ(table[1].key, CandleSaturationKey);
    EXPECT_EQ(table[2].key, CandleLightnessKey);
    EXPECT_EQ(table[0].intent, Knob::Intent::Hue);
    EXPECT_EQ(table[2].typical, 0.8f);
    EXPECT_EQ(table[3].minLabel, "closed");
    EXPECT_EQ(table[3].minValue, 1.0f);
    EXPECT_EQ(table[3].maxValue, 0.0f);
    EXPECT_TRUE(table[0].minLabel.empty());
    EXPECT_EQ(table[9].maxLabel, "round");
}

TEST(KnobKeyTest, IntentNamesWithUnknownOutsideTheTable) {
    EXPECT_EQ(KnobIntentName(Knob::Intent::Interpolate), "Interpolate");
    EXPECT_EQ(KnobIntentName(Knob::Intent::Rotate), "Rotate");
    EXPECT_EQ(KnobIntentName(static_cast<Knob::Intent>(7)), "Unknown");
    EXPECT_EQ(KnobIntentNames().size(), 7u);
    EXPECT_EQ(KnobIntentFromName("Interpolate"), Knob::Intent::Interpolate);
    EXPECT_EQ(KnobIntentFromName("Translate"), Knob::Intent::Translate);
    EXPECT_FALSE(KnobIntentFromName("Unknown").has_value());
    EXPECT_FALSE(KnobIntentFromName("hue").has_value());
}

} // namespace
} // namespace vel::lumo
