#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/ExpressionKeys.h"

#include <optional>

namespace vel::lumo {

// Gives the keys 1 to 9 their knobs. A choice that the keys already hold is
// no step; undo puts back what the document had, the defaults included.
class SetExpressionKeysCmd : public LumoCommand<SetExpressionKeysCmd> {
public:
    SetExpressionKeysCmd(LumoDocument* document, const ExpressionKeys& keys);

    bool Do() override;
    bool Undo() override;

private:
    ExpressionKeys keys_;
    std::optional<ExpressionKeys> old_;
};

} // namespace vel::lumo
