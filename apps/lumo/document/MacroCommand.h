#pragma once

#include "apps/lumo/document/Command.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace vel::lumo {

// Several commands recorded as one history entry, all or nothing: when a
// child fails, the children already run are taken back. It carries the name
// of the user's action as a whole, not of any of its parts.
class MacroCommand : public Command {
public:
    explicit MacroCommand(std::string name) : Command(std::move(name)) {}
    void Append(std::unique_ptr<Command> command);
    bool IsEmpty() const { return children_.empty(); }

    std::unique_ptr<Command> Clone() const override;
    bool Do() override;
    bool Undo() override;

private:
    std::vector<std::unique_ptr<Command>> children_;
};

} // namespace vel::lumo
