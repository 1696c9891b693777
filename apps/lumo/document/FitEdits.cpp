#include "apps/lumo/document/FitEdits.h"

#include "apps/lumo/document/FitCommands.h"
#include "apps/lumo/document/LumoDocument.h"

namespace vel::lumo {

bool MoveFitHandle(LumoDocument& document, std::size_t handle, FitPoint point) {
    return document.Execute(MoveFitHandleCmd(&document, handle, point));
}

bool ResetFit(LumoDocument& document) {
    return document.Execute(ResetFitCmd(&document));
}

bool SetFitGrid(LumoDocument& document, bool on) {
    return document.Execute(SetFitGridCmd(&document, on));
}

} // namespace vel::lumo
