#pragma once

#include "core/File.h"
#include "core/FileError.h"

#include <cstdint>
#include <string>

namespace vel::core {

// Writes a new version of a file without ever losing the old one: the data
// goes to a file without a name in the same folder, which is named and put
// in the target's place only once every byte is on the disk. Until Commit
// succeeds the target is untouched, and a discarded or failed attempt, or a
// program killed on the way, leaves nothing behind. Where the file system
// cannot make a file without a name, a short hidden name stands in.
class ReplacingFile {
public:
    enum Privacy {
        // The new version keeps the old one's permissions; a link at the
        // target's name is followed.
        Shared,
        // The new version is readable by its owner alone, and a link at the
        // target's name is replaced, never written through.
        Private,
    };

    explicit ReplacingFile(Privacy privacy = Shared) : privacy_(privacy) {}
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();

    // Creates the new file beside the target (beside the file a symbolic
    // link points to), open for reading and writing. Fails when the target
    // is not a regular file (a folder, a device, a pipe) or is read-only,
    // or the folder cannot be written; nothing is then created or removed.
    bool Open(const std::string& target);
    File& GetFile() { return file_; }
    // Flushes the new file, gives it the permissions of the file it
    // replaces and puts it in the target's place.
    bool Commit();
    void Discard();

    uint32_t GetError() const { return error_.Code(); }
    const FileError& Failure() const { return error_; }

private:
    // Takes a copy, as error may be the file's own, which discarding resets.
    bool Fail(FileError error);
    // Gives the open file a name in the folder, for the rename.
    int Name();

    Privacy privacy_;
    File file_;
    std::string target_;
    std::string folder_;
    // The new file's name while it has one.
    std::string named_;
    FileError error_;
};

} // namespace vel::core
