#pragma once

#include "apps/lumo/document/Command.h"
#include "apps/lumo/document/Selection.h"

#include <cstdint>

namespace vel::lumo {

class SelectionHost;

// The selection and the frame that belong to an edit, kept as values and
// handed back to the host on undo and redo, so that they reach whichever
// panes show them by then. Only ever part of a macro with that edit.

// Selects the new triple on do and redo, the old one on undo.
class SelectPoseCmd : public Command {
public:
    SelectPoseCmd(SelectionHost* host, const Selection& newSelection, const Selection& oldSelection)
        : Command("Select Pose"), host_(host), new_(newSelection), old_(oldSelection) {}
    std::unique_ptr<Command> Clone() const override;
    bool Do() override;
    bool Undo() override;

private:
    SelectionHost* host_;
    Selection new_;
    Selection old_;
};

// Moves the frame cursor to the new frame on do and redo, to the old one on
// undo; a cursor already there is left alone.
class SelectFrameCmd : public Command {
public:
    SelectFrameCmd(SelectionHost* host, uint32_t newFrame, uint32_t oldFrame)
        : Command("Move Frame Cursor"), host_(host), new_(newFrame), old_(oldFrame) {}
    std::unique_ptr<Command> Clone() const override;
    bool Do() override;
    bool Undo() override;

private:
    void MoveTo(uint32_t frame) const;

    SelectionHost* host_;
    uint32_t new_;
    uint32_t old_;
};

} // namespace vel::lumo
