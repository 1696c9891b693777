#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/Anchor.h"
#include "apps/lumo/model/Knob.h"

#include <vector>

namespace vel::lumo {

// Adds a knob; its track starts with one anchor at the knob's typical value.
class AddKnobCmd : public LumoCommand<AddKnobCmd> {
public:
    AddKnobCmd(LumoDocument* document, Knob knob);

    bool Do() override;
    bool Undo() override;

private:
    Knob knob_;
};

// Removes a knob and its track. Poses that name it are left alone; undo
// brings the knob back at the end of the knob list with every anchor it had.
class DeleteKnobCmd : public LumoCommand<DeleteKnobCmd> {
public:
    DeleteKnobCmd(LumoDocument* document, KnobKey key);

    bool Do() override;
    bool Undo() override;

private:
    KnobKey key_;
    Knob knob_;
    std::vector<Anchor> anchors_;
};

} // namespace vel::lumo
