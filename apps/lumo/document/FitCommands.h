#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/FitPoint.h"
#include "apps/lumo/model/PumpkinFit.h"

#include <cstddef>
#include <string>
#include <utility>

namespace vel::lumo {

// What every change of the fit to the pumpkin shares: do works the new fit
// out from the document's and puts it in place, keeping the old one for
// undo. A change that the fit refuses, or that leaves it as it was, is no
// step and is not recorded.
template <class Derived> class FitChangeCmd : public LumoCommand<Derived> {
public:
    bool Do() override {
        old_ = this->GetDocument().GetFit();
        PumpkinFit next = old_;
        if (!Change(next) || next == old_) {
            return false;
        }
        this->GetDocument().SetFit(next);
        return true;
    }

    bool Undo() override {
        this->GetDocument().SetFit(old_);
        return true;
    }

protected:
    FitChangeCmd(LumoDocument* document, std::string name)
        : LumoCommand<Derived>(document, std::move(name)) {}

    // Changes the fit; false when it refuses.
    virtual bool Change(PumpkinFit& fit) const = 0;

private:
    PumpkinFit old_;
};

// Puts one handle where a drag or a key left it.
class MoveFitHandleCmd : public FitChangeCmd<MoveFitHandleCmd> {
public:
    MoveFitHandleCmd(LumoDocument* document, std::size_t handle, FitPoint point);

protected:
    bool Change(PumpkinFit& fit) const override;

private:
    std::size_t handle_;
    FitPoint point_;
};

class ResetFitCmd : public FitChangeCmd<ResetFitCmd> {
public:
    explicit ResetFitCmd(LumoDocument* document);

protected:
    bool Change(PumpkinFit& fit) const override;
};

// Switches the bendable grid on or off.
class SetFitGridCmd : public FitChangeCmd<SetFitGridCmd> {
public:
    SetFitGridCmd(LumoDocument* document, bool on);

protected:
    bool Change(PumpkinFit& fit) const override;

private:
    bool on_;
};

} // namespace vel::lumo
