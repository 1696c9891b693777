#include "apps/lumo/document/ExpressionKeyEdits.h"

#include "apps/lumo/document/ExpressionKeysCmd.h"
#include "apps/lumo/document/LumoDocument.h"

namespace vel::lumo {

bool SetExpressionKeys(LumoDocument& document, const ExpressionKeys& keys) {
    return document.Execute(SetExpressionKeysCmd(&document, keys));
}

} // namespace vel::lumo
