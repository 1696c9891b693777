#include "apps/lumo/panes/ShapeEdits.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/MacroCommand.h"
#include "apps/lumo/document/ShapeCommands.h"
#include "apps/lumo/panes/SelectionCommands.h"

namespace vel::lumo {

void InsertNewShape(LumoDocument& document, PaneHost& host, const Selection& current) {
    const std::uint64_t shape = document.GetModel().GetShapeCount();
    MacroCommand macro;
    macro.Append(std::make_unique<InsertShapeCmd>(&document, shape));
    macro.Append(std::make_unique<SelectPoseCmd>(&host, Selection{shape, 0, 0}, current));
    document.Execute(macro);
}

void DeleteShape(LumoDocument& document, PaneHost& host, const Selection& current,
                 std::uint64_t shape) {
    const std::uint64_t count = document.GetModel().GetShapeCount();
    if (shape >= count)
        return;
    const std::uint64_t next = shape + 1 < count ? shape : (shape > 0 ? shape - 1 : 0);
    MacroCommand macro;
    macro.Append(std::make_unique<SelectPoseCmd>(&host, Selection{next, 0, 0}, current));
    macro.Append(std::make_unique<DeleteShapeCmd>(&document, shape));
    document.Execute(macro);
}

} // namespace vel::lumo
