#include "apps/lumo/document/SelectionCommands.h"

#include "apps/lumo/document/SelectionHost.h"

namespace vel::lumo {

std::unique_ptr<Command> SelectPoseCmd::Clone() const {
    return std::make_unique<SelectPoseCmd>(*this);
}

bool SelectPoseCmd::Do() {
    host_->RequestSelection(new_);
    return true;
}

bool SelectPoseCmd::Undo() {
    host_->RequestSelection(old_);
    return true;
}

std::unique_ptr<Command> SelectFrameCmd::Clone() const {
    return std::make_unique<SelectFrameCmd>(*this);
}

bool SelectFrameCmd::Do() {
    MoveTo(new_);
    return true;
}

bool SelectFrameCmd::Undo() {
    MoveTo(old_);
    return true;
}

void SelectFrameCmd::MoveTo(uint32_t frame) const {
    if (host_->GetFrame() != frame) {
        host_->RequestFrame(frame);
    }
}

} // namespace vel::lumo
