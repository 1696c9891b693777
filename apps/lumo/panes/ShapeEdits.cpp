#include "apps/lumo/panes/ShapeEdits.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/MacroCommand.h"
#include "apps/lumo/document/ShapeCommands.h"
#include "apps/lumo/panes/SelectionCommands.h"
#include "apps/lumo/panes/ViewWithSelection.h"

namespace vel::lumo {

void InsertNewShape(LumoDocument& document, ViewWithSelection& view) {
    const std::uint64_t shape = document.GetModel().GetShapeCount();
    MacroCommand macro;
    macro.Append(std::make_unique<InsertShapeCmd>(&document, shape));
    macro.Append(std::make_unique<SelectPoseCmd>(&view, Selection{shape, 0, 0}));
    document.Execute(macro);
}

void DeleteSelectedShape(LumoDocument& document, ViewWithSelection& view) {
    const std::uint64_t shape = view.GetSelection().shape;
    const std::uint64_t count = document.GetModel().GetShapeCount();
    if (shape >= count)
        return;
    const std::uint64_t next = shape + 1 < count ? shape : (shape > 0 ? shape - 1 : 0);
    MacroCommand macro;
    macro.Append(std::make_unique<SelectPoseCmd>(&view, Selection{next, 0, 0}));
    macro.Append(std::make_unique<DeleteShapeCmd>(&document, shape));
    document.Execute(macro);
}

} // namespace vel::lumo
