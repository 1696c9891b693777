#pragma once

#include "apps/lumo/model/Model.h"
#include "wingui/Field.h"

namespace vel::wingui {

// A video size shown by its label in the list of sizes; a text that labels
// no listed size leaves the value as it was.
template <> std::string Field<lumo::CanvasSize>::ToText() const;
template <> bool Field<lumo::CanvasSize>::FromText(const std::string& text);

extern template class Field<lumo::CanvasSize>;

} // namespace vel::wingui
