#pragma once

#include "apps/lumo/model/Knob.h"

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

namespace vel::lumo {

// The knobs that the keys 1 to 9 hold at their far value while pressed, in
// the show and the preview; a key may hold none.
inline constexpr std::size_t ExpressionKeyCount = 9;
using ExpressionKeys = std::array<std::optional<KnobKey>, ExpressionKeyCount>;

// What a document that never chose its keys uses: each key has a standard
// knob of its own, and holds it only where the document has that knob, so
// a key means the same on every pumpkin. The winks come first, on the keys
// nearest the hand's rest, then the surprised round mouth and the wide one,
// the eyes to the side, both eyes shut, the mouth wide open and the candle
// dimmed; key 9 is left free.
ExpressionKeys DefaultExpressionKeys(const std::vector<Knob>& knobs);

// The end of the knob's range that lies farther from its typical value,
// where a held key takes it: closed for a wink, round for Mouth OOO. The
// max end when both lie as far.
float FarValue(const Knob& knob);

} // namespace vel::lumo
