#pragma once

#include "apps/lumo/document/Command.h"
#include "apps/lumo/panes/Selection.h"

#include <cstdint>

namespace vel::lumo {

class ViewWithSelection;
class PaneHost;

// Brings back the selection that belongs to an edit when the edit is undone
// or redone; only ever part of a macro with that edit.
class SelectPoseCmd : public Command {
public:
    SelectPoseCmd(ViewWithSelection* target, const Selection& selection)
        : target_(target), new_(selection) {}
    std::unique_ptr<Command> Clone() const override;
    bool Do() override;
    bool Undo() override;

private:
    ViewWithSelection* target_;
    Selection new_;
    Selection old_;
};

// Brings back the frame cursor that belongs to a timeline edit.
class SelectFrameCmd : public Command {
public:
    SelectFrameCmd(PaneHost* target, uint32_t newFrame, uint32_t oldFrame)
        : target_(target), new_(newFrame), old_(oldFrame) {}
    std::unique_ptr<Command> Clone() const override;
    bool Do() override;
    bool Undo() override;

private:
    void MoveTo(uint32_t frame) const;

    PaneHost* target_;
    uint32_t new_;
    uint32_t old_;
};

} // namespace vel::lumo
