#include "apps/lumo/model/StandardKnobs.h"

namespace vel::lumo {

namespace {

Knob MakeKnob(std::string_view key, std::string name, float typical, std::string minLabel,
              float minValue, std::string maxLabel, float maxValue, Knob::Intent intent) {
    return Knob{KnobKey(key), std::move(name),     typical,  std::move(minLabel),
                minValue,     std::move(maxLabel), maxValue, intent};
}

std::vector<Knob> BuildTable() {
    using enum Knob::Intent;
    return {
        MakeKnob("canhue", "Candle Hue", 56.0f, "", 0.0f, "", 360.0f, Hue),
        MakeKnob("cansat", "Candle Saturation", 1.0f, "pale", 0.0f, "vivid", 1.0f, Saturation),
        MakeKnob("canlight", "Candle Lightness", 0.8f, "dim", 0.0f, "bright", 1.0f, Lightness),
        MakeKnob("eyeblink", "Eyes Blink", 0.1f, "closed", 1.0f, "open", 0.0f, Interpolate),
        MakeKnob("eyepan", "Eyes Pan", 0.5f, "left", 0.0f, "right", 1.0f, Interpolate),
        MakeKnob("eyelwink", "Eye Left Wink", 0.1f, "closed", 1.0f, "open", 0.0f, Interpolate),
        MakeKnob("eyerwink", "Eye Right Wink", 0.1f, "closed", 1.0f, "open", 0.0f, Interpolate),
        MakeKnob("mouth", "Mouth", 0.1f, "closed", 0.0f, "open", 1.0f, Interpolate),
        MakeKnob("mEEE", "Mouth EEE", 0.0f, "normal", 0.0f, "wide", 1.0f, Interpolate),
        MakeKnob("mOOO", "Mouth OOO", 0.0f, "normal", 0.0f, "round", 1.0f, Interpolate),
    };
}

} // namespace

const std::vector<Knob>& StandardKnobs() {
    // Built on first use so that no other static initialiser can see it empty.
    static const std::vector<Knob> table = BuildTable();
    return table;
}

} // namespace vel::lumo
