#pragma once

#include "apps/lumo/model/Knob.h"
#include "wingui/Field.h"

namespace vel::wingui {

// A knob intent shown by its display name; a text that names no intent leaves
// the value as it was.
template <> std::string Field<lumo::Knob::Intent>::ToText() const;
template <> bool Field<lumo::Knob::Intent>::FromText(const std::string& text);

extern template class Field<lumo::Knob::Intent>;

} // namespace vel::wingui
