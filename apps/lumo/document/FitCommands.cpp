#include "apps/lumo/document/FitCommands.h"

namespace vel::lumo {

MoveFitHandleCmd::MoveFitHandleCmd(LumoDocument* document, std::size_t handle, FitPoint point)
    : FitChangeCmd(document, "Move Fit Handle"), handle_(handle), point_(point) {}

bool MoveFitHandleCmd::Change(PumpkinFit& fit) const {
    return fit.MoveHandle(handle_, point_);
}

ResetFitCmd::ResetFitCmd(LumoDocument* document) : FitChangeCmd(document, "Reset Fit") {}

bool ResetFitCmd::Change(PumpkinFit& fit) const {
    fit.Reset();
    return true;
}

SetFitGridCmd::SetFitGridCmd(LumoDocument* document, bool on)
    : FitChangeCmd(document, "Fit Grid"), on_(on) {}

bool SetFitGridCmd::Change(PumpkinFit& fit) const {
    fit.SetGridOn(on_);
    return true;
}

} // namespace vel::lumo
