#pragma once

#include <memory>
#include <string>
#include <utility>

namespace vel::lumo {

// An undoable edit. Do captures whatever it is about to overwrite, so that
// Undo can put it back and Redo, which runs Do again, captures it afresh.
class Command {
public:
    virtual ~Command() = default;
    // What the user did, in a few words ("Move Point"), for the Edit menu.
    const std::string& GetName() const { return name_; }
    virtual std::unique_ptr<Command> Clone() const = 0;
    // False when the edit cannot be applied; the document then does not
    // record the command.
    virtual bool Do() = 0;
    virtual bool Undo() = 0;
    virtual bool Redo() { return Do(); }

protected:
    explicit Command(std::string name) : name_(std::move(name)) {}
    Command(const Command&) = default;
    Command& operator=(const Command&) = default;

private:
    std::string name_;
};

} // namespace vel::lumo
