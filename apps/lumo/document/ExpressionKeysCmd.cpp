#include "apps/lumo/document/ExpressionKeysCmd.h"

namespace vel::lumo {

SetExpressionKeysCmd::SetExpressionKeysCmd(LumoDocument* document, const ExpressionKeys& keys)
    : LumoCommand(document, "Expression Keys"), keys_(keys) {}

bool SetExpressionKeysCmd::Do() {
    if (GetDocument().GetExpressionKeys() == keys_) {
        return false;
    }
    old_ = GetDocument().GetOwnExpressionKeys();
    GetDocument().SetExpressionKeys(keys_);
    return true;
}

bool SetExpressionKeysCmd::Undo() {
    GetDocument().SetExpressionKeys(old_);
    return true;
}

} // namespace vel::lumo
