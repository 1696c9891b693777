#include "apps/lumo/document/AnchorEdits.h"

#include "apps/lumo/document/AnchorCommands.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/MacroCommand.h"
#include "apps/lumo/document/SelectionCommands.h"

namespace vel::lumo {

bool DeleteAnchor(LumoDocument& document, SelectionHost& host, const KnobKey& key,
                  std::uint32_t frame) {
    if (frame == 0) {
        return false;
    }
    MacroCommand macro("Delete Spider");
    macro.Append(std::make_unique<DeleteAnchorCmd>(&document, key, frame));
    macro.Append(std::make_unique<SelectFrameCmd>(&host, frame, frame));
    return document.Execute(macro);
}

bool PlaceAnchor(LumoDocument& document, SelectionHost& host, const KnobKey& key,
                 std::optional<std::uint32_t> from, Anchor to, std::uint32_t frameBefore) {
    MacroCommand macro(from ? "Move Spider" : "Set Spider");
    if (from) {
        macro.Append(std::make_unique<MoveAnchorCmd>(&document, key, *from, to.frame, to.value));
    } else {
        macro.Append(std::make_unique<InsertAnchorCmd>(&document, key, to.frame, to.value));
    }
    macro.Append(std::make_unique<SelectFrameCmd>(&host, to.frame, frameBefore));
    return document.Execute(macro);
}

} // namespace vel::lumo
