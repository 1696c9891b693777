#pragma once

#include "apps/lumo/document/Command.h"
#include "core/FileError.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vel::core {
class File;
}

namespace vel::lumo {

class View;
class ViewRegistration;

// What every document has: the file it belongs to, the undo history and
// the views to notify. The document is modified exactly when the undo
// stack's size differs from its size at the last load or save.
class Document {
public:
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;
    // Views still registered forget the document.
    virtual ~Document();

    // Runs a copy of the command and records it when it succeeds; the
    // caller keeps its own command. Notifies bit 0 when the modified state
    // flipped.
    bool Execute(const Command& command);
    // Undo and redo report whether a command moved between the stacks;
    // they leave the modified-state notification to their caller.
    bool Undo();
    bool Redo();
    bool IsModified() const { return undo_.size() != cleanDepth_; }
    size_t GetUndoCount() const { return undo_.size(); }
    size_t GetRedoCount() const { return redo_.size(); }
    // The name of the step that undo would take back and of the one redo
    // would do again; empty when there is none.
    std::string GetUndoName() const;
    std::string GetRedoName() const;

    // Registers the view until the answer is destroyed or replaced.
    ViewRegistration Register(View* view);
    // Calls every registered view in registration order; a view that leaves
    // during the round is not called after it left.
    void Notify(uint32_t changes);

    // On success the document belongs to the path and is no longer
    // modified. Saving replaces the file only once the new contents are
    // safely on the disk; a failed save leaves the old file as it was.
    bool Load(const std::string& path);
    bool Save(const std::string& path);
    const std::string& GetPath() const { return path_; }
    // The document belongs to no file any more and has unsaved changes: for
    // work recovered from a copy, which only a save makes safe again.
    void DetachFromFile();
    // The file error of the last load or save; code 0 when that failure
    // lay in the contents.
    const core::FileError& GetFileError() const { return fileError_; }

protected:
    Document() = default;
    // A copy shares no history, path or views with the original.
    struct FreshBase {};
    explicit Document(FreshBase) {}

    virtual bool LoadFile(core::File& file) = 0;
    virtual bool SaveFile(core::File& file) = 0;

private:
    friend class ViewRegistration;
    void Attach(ViewRegistration* registration);
    void Detach(ViewRegistration* registration);
    void Replace(ViewRegistration* from, ViewRegistration* to);

    static constexpr uint64_t Unreachable = UINT64_MAX;

    void MarkClean(const std::string& path);

    std::string path_;
    std::vector<std::unique_ptr<Command>> undo_;
    std::vector<std::unique_ptr<Command>> redo_;
    uint64_t cleanDepth_ = 0;
    std::vector<ViewRegistration*> views_;
    core::FileError fileError_;
};

} // namespace vel::lumo
