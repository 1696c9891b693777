#include "apps/lumo/document/MacroCommand.h"

namespace vel::lumo {

void MacroCommand::Append(std::unique_ptr<Command> command) {
    children_.push_back(std::move(command));
}

std::unique_ptr<Command> MacroCommand::Clone() const {
    auto copy = std::make_unique<MacroCommand>(GetName());
    for (const auto& child : children_) {
        copy->Append(child->Clone());
    }
    return copy;
}

bool MacroCommand::Do() {
    for (size_t done = 0; done < children_.size(); ++done) {
        if (!children_[done]->Do()) {
            while (done-- > 0) {
                children_[done]->Undo();
            }
            return false;
        }
    }
    return true;
}

bool MacroCommand::Undo() {
    for (size_t left = children_.size(); left-- > 0;) {
        if (!children_[left]->Undo()) {
            for (size_t again = left + 1; again < children_.size(); ++again) {
                children_[again]->Redo();
            }
            return false;
        }
    }
    return true;
}

} // namespace vel::lumo
