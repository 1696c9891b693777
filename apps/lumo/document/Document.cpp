#include "apps/lumo/document/Document.h"

#include "apps/lumo/document/View.h"
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

void Document::RegisterView(View* view) {
    views_.push_back(view);
}

void Document::UnregisterView(View* view) {
    std::erase(views_, view);
}

void Document::Notify(uint32_t changes) {
    const std::vector<View*> views = views_;
    for (View* view : views) {
        view->OnDocumentChange(this, changes);
    }
}

bool Document::Load(const std::string& path) {
    core::File file;
    const bool loaded =
        file.Open(path, core::File::ReadAccess, core::File::OpenExisting) && LoadFile(file);
    fileError_ = file.GetError();
    if (loaded) {
        MarkClean(path);
    }
    return loaded;
}

bool Document::Save(const std::string& path) {
    core::ReplacingFile out;
    bool saved = out.Open(path);
    if (saved && !SaveFile(out.GetFile())) {
        fileError_ = out.GetFile().GetError();
        return false;
    }
    saved = saved && out.Commit();
    fileError_ = out.GetError();
    if (saved) {
        MarkClean(path);
    }
    return saved;
}

void Document::MarkClean(const std::string& path) {
    path_ = path;
    cleanDepth_ = undo_.size();
    fileError_ = core::File::NoError;
}

} // namespace vel::lumo
