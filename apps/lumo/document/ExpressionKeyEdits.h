#pragma once

#include "apps/lumo/model/ExpressionKeys.h"

namespace vel::lumo {

class LumoDocument;

// Gives the keys 1 to 9 the knobs they hold, as one undo step "Expression
// Keys"; false, and no step, when the keys hold these already.
bool SetExpressionKeys(LumoDocument& document, const ExpressionKeys& keys);

} // namespace vel::lumo
