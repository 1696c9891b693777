#include "apps/lumo/document/KnobCommands.h"

#include <utility>

namespace vel::lumo {

AddKnobCmd::AddKnobCmd(LumoDocument* document, Knob knob)
    : LumoCommand(document, "New Knob"), knob_(std::move(knob)) {}

bool AddKnobCmd::Do() {
    return KnobsChanged(GetModel().AddKnob(knob_));
}

bool AddKnobCmd::Undo() {
    return KnobsChanged(GetModel().DeleteKnob(knob_.key));
}

DeleteKnobCmd::DeleteKnobCmd(LumoDocument* document, KnobKey key)
    : LumoCommand(document, "Delete Knob"), key_(key) {}

bool DeleteKnobCmd::Do() {
    knob_ = GetModel().GetKnob(key_);
    const KnobTrack* track = GetTimeline().FindTrack(key_);
    anchors_ = track ? track->GetAnchors() : std::vector<Anchor>{};
    return KnobsChanged(GetModel().DeleteKnob(key_));
}

bool DeleteKnobCmd::Undo() {
    if (!KnobsChanged(GetModel().AddKnob(knob_))) {
        return false;
    }
    for (const Anchor& anchor : anchors_) {
        GetTimeline().SetAnchor(key_, anchor.frame, anchor.value);
        Notify(ChangeBits::Timeline);
    }
    return true;
}

} // namespace vel::lumo
