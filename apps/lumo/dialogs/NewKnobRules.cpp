#include "apps/lumo/dialogs/NewKnobRules.h"

#include "wingui/NumberText.h"

#include <algorithm>
#include <utility>

namespace vel::lumo {

namespace {

template <class Match> const Knob* FindKnob(const std::vector<Knob>& knobs, Match match) {
    const auto found = std::find_if(knobs.begin(), knobs.end(), match);
    return found == knobs.end() ? nullptr : &*found;
}

bool Differs(const Knob* other, const Knob& knob) {
    return other != nullptr && !(*other == knob);
}

} // namespace

NewKnobRules::NewKnobRules(std::vector<Knob> documentKnobs, std::vector<Knob> standardKnobs)
    : documentKnobs_(std::move(documentKnobs)), standardKnobs_(std::move(standardKnobs)) {}

const Knob* NewKnobRules::StandardNamed(const std::string& name) const {
    return FindKnob(standardKnobs_, [&](const Knob& k) { return k.name == name; });
}

const Knob* NewKnobRules::StandardKeyed(const KnobKey& key) const {
    return FindKnob(standardKnobs_, [&](const Knob& k) { return k.key == key; });
}

const Knob* NewKnobRules::DocumentNamed(const std::string& name) const {
    return FindKnob(documentKnobs_, [&](const Knob& k) { return k.name == name; });
}

bool NewKnobRules::DocumentHasKey(const KnobKey& key) const {
    return FindKnob(documentKnobs_, [&](const Knob& k) { return k.key == key; }) != nullptr;
}

bool NewKnobRules::IsNameAcceptable(const Knob& knob) const {
    return !knob.name.empty() && !Differs(StandardNamed(knob.name), knob) &&
           !Differs(DocumentNamed(knob.name), knob);
}

bool NewKnobRules::IsKeyAcceptable(const Knob& knob) const {
    return knob.key != KnobKey() && !Differs(StandardKeyed(knob.key), knob) &&
           !DocumentHasKey(knob.key);
}

bool NewKnobRules::IsTypicalAcceptable(const Knob& knob) {
    const auto [lower, upper] = std::minmax(knob.minValue, knob.maxValue);
    return knob.typical >= lower && knob.typical <= upper;
}

std::optional<KnobStatus> NewKnobRules::Status(const Knob& knob,
                                               const KnobStatusContext& context) const {
    using enum KnobStatus::Icon;
    const std::string key = knob.key.Text();
    if (Differs(StandardNamed(knob.name), knob)) {
        return KnobStatus{Error, "There is a standard knob named " + knob.name +
                                     " that doesn't match this one exactly. To use the "
                                     "standard knob, click its name in the Standard Knobs "
                                     "list. To make a new knob, change the name."};
    }
    if (knob.name.empty()) {
        return KnobStatus{Warning, "Include a descriptive name to make it easy to find this knob "
                                   "on the timeline display and in menus."};
    }
    if (Differs(DocumentNamed(knob.name), knob)) {
        return KnobStatus{Error, "This document is already using a knob named " + knob.name +
                                     " that's different than this one. To "
                                     "use the existing one, click Cancel and choose it from "
                                     "the Pose menu. To make a new one, change the name."};
    }
    if (key.empty()) {
        return KnobStatus{Warning, "Include a short, unique \"key\" for this knob."};
    }
    if (Differs(StandardKeyed(knob.key), knob)) {
        return KnobStatus{Error, "There is a standard knob with the key " + key +
                                     ". To use the standard knob, click its name in the "
                                     "Standard Knobs list. To make a new knob, change the "
                                     "key."};
    }
    if (DocumentHasKey(knob.key)) {
        return KnobStatus{Error, "This document is already using a knob with the key " + key +
                                     ". To use the existing one, click "
                                     "Cancel and choose it from the Pose menu. To make a "
                                     "new one, change the key."};
    }
    if (context.typicalValid && context.nameHintDue) {
        return KnobStatus{Information, "Give the knob a short descriptive name."};
    }
    if (!context.typicalValid) {
        const auto [lower, upper] = std::minmax(knob.minValue, knob.maxValue);
        return KnobStatus{Error, "The typical value must be between " + wingui::NumberText(lower) +
                                     " and " + wingui::NumberText(upper) + " (inclusive)."};
    }
    if (context.keyHintDue) {
        return KnobStatus{Information, "Make a unique abbreviation for this new knob, using up "
                                       "to 8 letters and digits."};
    }
    return std::nullopt;
}

} // namespace vel::lumo
