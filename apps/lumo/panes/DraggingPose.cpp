#include "apps/lumo/panes/DraggingPose.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/PoseEdits.h"

namespace vel::lumo {

bool DraggingPose::Move(float dx, float dy) {
    return Document().GetModel().MovePose(shape_, pose_, dx, dy);
}

void DraggingPose::Record(float dx, float dy) const {
    MovePose(Document(), shape_, pose_, dx, dy);
}

} // namespace vel::lumo
