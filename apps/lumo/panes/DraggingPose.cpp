#include "apps/lumo/panes/DraggingPose.h"

#include "apps/lumo/document/PoseCommands.h"

namespace vel::lumo {

bool DraggingPose::Move(float dx, float dy) {
    return Document().GetModel().MovePose(shape_, pose_, dx, dy);
}

std::unique_ptr<Command> DraggingPose::MakeCommand(float dx, float dy) const {
    return std::make_unique<MovePoseCmd>(&Document(), shape_, pose_, dx, dy);
}

} // namespace vel::lumo
