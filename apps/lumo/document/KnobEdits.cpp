#include "apps/lumo/document/KnobEdits.h"

#include "apps/lumo/document/KnobCommands.h"
#include "apps/lumo/document/LumoDocument.h"

namespace vel::lumo {

bool AddKnob(LumoDocument& document, const Knob& knob) {
    return document.Execute(AddKnobCmd(&document, knob));
}

bool DeleteKnob(LumoDocument& document, const KnobKey& key) {
    return document.Execute(DeleteKnobCmd(&document, key));
}

} // namespace vel::lumo
