#include "apps/lumo/panes/DraggingShape.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/ShapeCommands.h"

namespace vel::lumo {

bool DraggingShape::Move(float dx, float dy) {
    return Document().GetModel().MoveShape(shape_, dx, dy);
}

std::unique_ptr<Command> DraggingShape::MakeCommand(float dx, float dy) const {
    return std::make_unique<MoveShapeCmd>(&Document(), shape_, dx, dy);
}

} // namespace vel::lumo
