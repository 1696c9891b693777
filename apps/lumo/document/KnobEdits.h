#pragma once

#include "apps/lumo/model/Knob.h"
#include "apps/lumo/model/KnobKey.h"

namespace vel::lumo {

class LumoDocument;

// Edits of the knob list that the panes and the New Knob dialog offer. Each
// is one undo step and answers whether the document took it.

// Adds the knob, whose track starts at its typical value; refused when the
// key is taken.
bool AddKnob(LumoDocument& document, const Knob& knob);

// Deletes the knob and its track; the poses that name it stay.
bool DeleteKnob(LumoDocument& document, const KnobKey& key);

} // namespace vel::lumo
