#include "apps/lumo/model/Knob.h"

#include <algorithm>

namespace vel::lumo {

const std::array<std::string_view, 7>& KnobIntentNames() {
    static constexpr std::array<std::string_view, 7> names{
        "Interpolate", "Hue", "Saturation", "Lightness", "Scale", "Translate", "Rotate"};
    return names;
}

std::string_view KnobIntentName(Knob::Intent intent) {
    const auto& names = KnobIntentNames();
    const auto index = static_cast<std::uint32_t>(intent);
    return index < names.size() ? names[index] : std::string_view("Unknown");
}

std::optional<Knob::Intent> KnobIntentFromName(std::string_view name) {
    const auto& names = KnobIntentNames();
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) {
        return std::nullopt;
    }
    return static_cast<Knob::Intent>(found - names.begin());
}

} // namespace vel::lumo
