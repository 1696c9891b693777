#pragma once

#include "apps/lumo/document/Command.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/View.h"

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace vel::lumo {

// What every pumpkin edit shares: the document it works on, a copy that
// carries the captured undo state along, and the rule that a step notifies
// the views only when it changed something.
template <class Derived> class LumoCommand : public Command {
public:
    std::unique_ptr<Command> Clone() const override {
        return std::make_unique<Derived>(static_cast<const Derived&>(*this));
    }

protected:
    LumoCommand(LumoDocument* document, std::string name)
        : Command(std::move(name)), document_(document) {}

    LumoDocument& GetDocument() const { return *document_; }
    Model& GetModel() const { return document_->GetModel(); }
    KnobTimeline& GetTimeline() const { return document_->GetTimeline(); }

    void Notify(std::uint32_t bits) const { document_->Notify(bits); }

    // Passes a model or timeline step's result on, telling the views first
    // when the step went through.
    bool Changed(bool applied, std::uint32_t bits) const {
        if (applied) {
            Notify(bits);
        }
        return applied;
    }

    // After a knob was added or deleted: the timeline follows the knob list,
    // creating or dropping the knob's track, before the views hear of it.
    bool KnobsChanged(bool applied) const {
        if (applied) {
            document_->SynchroniseTimeline();
        }
        return Changed(applied, ChangeBits::Model);
    }

private:
    LumoDocument* document_;
};

} // namespace vel::lumo
