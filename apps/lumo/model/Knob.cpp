#include "apps/lumo/model/Knob.h"

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

} // namespace vel::lumo
