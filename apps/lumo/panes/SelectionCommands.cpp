#include "apps/lumo/panes/SelectionCommands.h"

#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/ViewWithSelection.h"

namespace vel::lumo {

std::unique_ptr<Command> SelectPoseCmd::Clone() const {
    return std::make_unique<SelectPoseCmd>(target_, new_);
}

bool SelectPoseCmd::Do() {
    old_ = target_->GetSelection();
    target_->SetSelection(new_);
    return true;
}

bool SelectPoseCmd::Undo() {
    target_->SetSelection(old_);
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
    if (target_->GetFrame() != frame) {
        target_->RequestFrame(frame);
    }
}

} // namespace vel::lumo
