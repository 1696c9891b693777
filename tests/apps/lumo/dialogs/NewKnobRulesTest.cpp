#include "apps/lumo/dialogs/NewKnobRules.h"

#include "apps/lumo/model/PumpkinModel.h"
#include "apps/lumo/model/StandardKnobs.h"

#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

using enum KnobStatus::Icon;

Knob Jaw() {
    return Knob{KnobKey("jaw"), "Jaw", 0.5f, "shut", 0.0f, "open", 1.0f, Knob::Intent::Interpolate};
}

class NewKnobRulesTest : public ::testing::Test {
protected:
    NewKnobRulesTest() : rules(DocumentKnobs(), StandardKnobs()) {}
    static std::vector<Knob> DocumentKnobs() {
        std::vector<Knob> knobs = PumpkinModel().GetKnobs();
        knobs.push_back(Jaw());
        return knobs;
    }
    void ExpectStatus(const Knob& knob, KnobStatusContext context, KnobStatus::Icon icon,
                      const std::string& text) const {
        const std::optional<KnobStatus> status = rules.Status(knob, context);
        ASSERT_TRUE(status.has_value()) << text;
        EXPECT_EQ(status->icon, icon) << text;
        EXPECT_EQ(status->text, text);
    }

    NewKnobRules rules;
};

// Each step clears the condition the previous one reported, so the rows
// must come in exactly this order.
TEST_F(NewKnobRulesTest, TheFirstApplicableRowWinsInOrder) {
    Knob knob{KnobKey(""), "Eyes Blink", 5.0f, "min", 0.0f, "max", 1.0f, Knob::Intent::Interpolate};
    KnobStatusContext all{false, true, true};
    ExpectStatus(
        knob, all, Error,
        "There is a standard knob named Eyes Blink that doesn't match this one exactly. To "
        "use the standard knob, click its name in the Standard Knobs list. To make a new "
        "knob, change the name.");
    knob.name = "";
    ExpectStatus(knob, all, Warning,
                 "Include a descriptive name to make it easy to find this knob on "
                 "the timeline display and in menus.");
    knob.name = "Jaw";
    ExpectStatus(
        knob, all, Error,
        "This document is already using a knob named Jaw that's different than this one. To "
        "use the existing one, click Cancel and choose it from the Pose menu. To make a new "
        "one, change the name.");
    knob.name = "Chin";
    ExpectStatus(knob, all, Warning, "Include a short, unique \"key\" for this knob.");
    knob.key = KnobKey("mouth");
    ExpectStatus(knob, all, Error,
                 "There is a standard knob with the key mouth. To use the standard knob, click its "
                 "name in the Standard Knobs list. To make a new knob, change the key.");
    knob.key = KnobKey("jaw");
    ExpectStatus(
        knob, all, Error,
        "This document is already using a knob with the key jaw. To use the existing one, "
        "click Cancel and choose it from the Pose menu. To make a new one, change the key.");
    knob.key = KnobKey("chin");
    ExpectStatus(knob, {true, true, true}, Information, "Give the knob a short descriptive name.");
    ExpectStatus(knob, all, Error, "The typical value must be between 0 and 1 (inclusive).");
    ExpectStatus(knob, {true, false, true}, Information,
                 "Make a unique abbreviation for this new knob, using up to 8 letters and digits.");
    EXPECT_FALSE(rules.Status(knob, {true, false, false}).has_value());
}

TEST_F(NewKnobRulesTest, TypicalRangeIgnoresWhichEndIsLarger) {
    Knob knob{KnobKey("brow"),          "Brow", 0.0f, "low", 1.5f, "high", -0.25f,
              Knob::Intent::Interpolate};
    knob.typical = 1.5f;
    EXPECT_TRUE(NewKnobRules::IsTypicalAcceptable(knob));
    knob.typical = -0.25f;
    EXPECT_TRUE(NewKnobRules::IsTypicalAcceptable(knob));
    knob.typical = 1.5001f;
    EXPECT_FALSE(NewKnobRules::IsTypicalAcceptable(knob));
    ExpectStatus(knob, {false, false, false}, Error,
                 "The typical value must be between -0.25 and 1.5 (inclusive).");
}

// OK must be off whenever the model would refuse the knob or it would clash.
TEST_F(NewKnobRulesTest, AcceptsOnlyKnobsTheDocumentCanTakeWithoutConfusion) {
    Knob knob{KnobKey("chin"), "Chin", 0.5f, "min", 0.0f, "max", 1.0f, Knob::Intent::Interpolate};
    EXPECT_TRUE(rules.IsNameAcceptable(knob));
    EXPECT_TRUE(rules.IsKeyAcceptable(knob));

    Knob sameKeyAsDocument = knob;
    sameKeyAsDocument.key = KnobKey("jaw");
    EXPECT_FALSE(rules.IsKeyAcceptable(sameKeyAsDocument));
    // Even the very knob the document has: the model refuses a second one.
    EXPECT_FALSE(rules.IsKeyAcceptable(Jaw()));
    EXPECT_TRUE(rules.IsNameAcceptable(Jaw()));

    Knob sameNameAsDocument = knob;
    sameNameAsDocument.name = "Jaw";
    EXPECT_FALSE(rules.IsNameAcceptable(sameNameAsDocument));

    // A standard knob the document lacks is welcome exactly as it stands.
    Knob blink = StandardKnobs()[3];
    EXPECT_TRUE(rules.IsNameAcceptable(blink));
    EXPECT_TRUE(rules.IsKeyAcceptable(blink));
    EXPECT_FALSE(rules.Status(blink, {}).has_value());
    blink.maxLabel = "wide open";
    EXPECT_FALSE(rules.IsNameAcceptable(blink));
    EXPECT_FALSE(rules.IsKeyAcceptable(blink));
    blink = StandardKnobs()[3];
    blink.intent = Knob::Intent::Scale;
    EXPECT_FALSE(rules.IsKeyAcceptable(blink));
    // The document's candle knobs are standard, but the document has them.
    EXPECT_FALSE(rules.IsKeyAcceptable(StandardKnobs()[0]));

    knob.name = "";
    EXPECT_FALSE(rules.IsNameAcceptable(knob));
    knob.key = KnobKey("");
    EXPECT_FALSE(rules.IsKeyAcceptable(knob));
}

} // namespace
} // namespace vel::lumo
