#include "apps/lumo/panes/DraggingShape.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/ShapeEdits.h"

namespace vel::lumo {

bool DraggingShape::Move(float dx, float dy) {
    return Document().GetModel().MoveShape(shape_, dx, dy);
}

void DraggingShape::Record(float dx, float dy) const {
    MoveShape(Document(), shape_, dx, dy);
}

} // namespace vel::lumo
