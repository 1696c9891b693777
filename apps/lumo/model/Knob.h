#pragma once

#include "apps/lumo/model/KnobKey.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vel::lumo {

// A named control whose value changes along the timeline. Nothing orders
// the two ends of its range and nothing clamps its values to them.
struct Knob {
    // Stored as unsigned 32-bit; values outside the named ones are kept.
    enum class Intent : std::uint32_t {
        Interpolate = 0,
        Hue = 1,
        Saturation = 2,
        Lightness = 3,
        Scale = 4,
        Translate = 5,
        Rotate = 6,
    };

    KnobKey key;
    std::string name;
    float typical = 0.0f;
    std::string minLabel;
    float minValue = 0.0f;
    std::string maxLabel;
    float maxValue = 0.0f;
    Intent intent = Intent::Interpolate;

    friend bool operator==(const Knob&, const Knob&) = default;
};

// Display names of the intents, indexed by their value.
const std::array<std::string_view, 7>& KnobIntentNames();

// The display name of an intent; "Unknown" for a value outside the table.
std::string_view KnobIntentName(Knob::Intent intent);

// The intent whose display name equals the text exactly; nothing otherwise.
std::optional<Knob::Intent> KnobIntentFromName(std::string_view name);

} // namespace vel::lumo
