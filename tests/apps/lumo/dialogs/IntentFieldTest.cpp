#include "apps/lumo/dialogs/IntentField.h"

#include <gtest/gtest.h>

namespace vel::wingui {
namespace {

TEST(IntentField, ShowsTheNameAndKeepsTheValueOnAnUnknownName) {
    Field<lumo::Knob::Intent> intent;
    EXPECT_EQ(intent.ToText(), "Interpolate");
    EXPECT_TRUE(intent.FromText("Rotate"));
    EXPECT_EQ(intent.value, lumo::Knob::Intent::Rotate);
    EXPECT_TRUE(intent.FromText("rotate?"));
    EXPECT_EQ(intent.value, lumo::Knob::Intent::Rotate);
    intent.value = static_cast<lumo::Knob::Intent>(99);
    EXPECT_EQ(intent.ToText(), "Unknown");
}

} // namespace
} // namespace vel::wingui
