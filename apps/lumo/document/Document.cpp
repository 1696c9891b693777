#include "apps/lumo/document/Document.h"

#include "apps/lumo/document/View.h"
#include "apps/lumo/document/ViewRegistration.h"
#include "core/File.h"
#include "core/ReplacingFile.h"

#include <algorithm>

namespace vel::lumo {

bool Document::Execute(const Command& command) {
    const bool wasModified = IsModified();
    auto copy = command.Clone();
    const bool done = copy->Do();
    if (done) {
        // The saved state lay among the commands that can no longer be
        // redone, so no depth of the new history matches it.
        if (cleanDepth_ > undo_.size()) {
            cleanDepth_ = Unreachable;
        }
        undo_.push_back(std::move(copy));
        redo_.clear();
    }
    if (IsModified() != wasModified) {
        Notify(ChangeBits::Modified);
    }
    return done;
}

namespace {

using Stack = std::vector<std::unique_ptr<Command>>;

std::string TopName(const Stack& stack) {
    return stack.empty() ? std::string() : stack.back()->GetName();
}

// Runs the operation on the top command of one stack and, when it
// succeeds, moves that command to the other stack.
template <typename Operation> bool MoveTop(Stack& from, Stack& to, Operation operation) {
    if (from.empty() || !operation(*from.back())) {
        return false;
    }
    to.push_back(std::move(from.back()));
    from.pop_back();
    return true;
}

} // namespace

bool Document::Undo() {
    return MoveTop(undo_, redo_, [](Command& command) { return command.Undo(); });
}

bool Document::Redo() {
    return MoveTop(redo_, undo_, [](Command& command) { return command.Redo(); });
}

std::string Document::GetUndoName() const {
    return TopName(undo_);
}

std::string Document::GetRedoName() const {
    return TopName(redo_);
}

Document::~Document() {
    for (ViewRegistration* registration : views_) {
        registration->document_ = nullptr;
    }
}

ViewRegistration Document::Register(View* view) {
    return ViewRegistration(this, view);
}

void Document::Attach(ViewRegistration* registration) {
    views_.push_back(registration);
}

void Document::Detach(ViewRegistration* registration) {
    std::erase(views_, registration);
}

void Document::Replace(ViewRegistration* from, ViewRegistration* to) {
    std::replace(views_.begin(), views_.end(), from, to);
}

void Document::Notify(uint32_t changes) {
    const std::vector<ViewRegistration*> round = views_;
    for (ViewRegistration* registration : round) {
        // A view notified earlier in the round may have ended this one.
        if (std::find(views_.begin(), views_.end(), registration) != views_.end()) {
            registration->GetView()->OnDocumentChange(this, changes);
        }
    }
}

bool Document::Load(const std::string& path) {
    core::File file;
    const bool loaded =
        file.Open(path, core::File::ReadAccess, core::File::OpenExisting) && LoadFile(file);
    fileError_ = file.Failure();
    if (loaded) {
        MarkClean(path);
    }
    return loaded;
}

bool Document::Save(const std::string& path) {
    core::ReplacingFile out;
    bool saved = out.Open(path);
    if (saved && !SaveFile(out.GetFile())) {
        fileError_ = out.GetFile().Failure();
        return false;
    }
    saved = saved && out.Commit();
    fileError_ = out.Failure();
    if (saved) {
        MarkClean(path);
    }
    return saved;
}

void Document::DetachFromFile() {
    path_.clear();
    cleanDepth_ = Unreachable;
}

void Document::MarkClean(const std::string& path) {
    path_ = path;
    cleanDepth_ = undo_.size();
    fileError_ = core::FileError();
}

} // namespace vel::lumo
