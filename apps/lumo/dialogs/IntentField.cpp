#include "apps/lumo/dialogs/IntentField.h"

namespace vel::wingui {

template <> std::string Field<lumo::Knob::Intent>::ToText() const {
    return std::string(lumo::KnobIntentName(value));
}

template <> bool Field<lumo::Knob::Intent>::FromText(const std::string& text) {
    if (const auto intent = lumo::KnobIntentFromName(text)) {
        value = *intent;
    }
    return IsValid();
}

template class Field<lumo::Knob::Intent>;

} // namespace vel::wingui
