#pragma once

#include "core/File.h"

#include <cstdint>
#include <string>

namespace vel::core {

// Writes a new version of a file without ever losing the old one: the data
// goes to a temporary file in the same folder, which replaces the target
// only once every byte is on the disk. Until Commit succeeds the target is
// untouched, and a discarded or failed attempt leaves no file behind.
class ReplacingFile {
public:
    ReplacingFile() = default;
    ReplacingFile(const ReplacingFile&) = delete;
    ReplacingFile& operator=(const ReplacingFile&) = delete;
    ~ReplacingFile();

    // Creates the temporary file beside the target (beside the file a
    // symbolic link points to). Fails when the target is a folder or a
    // read-only file, or the folder cannot be written.
    bool Open(const std::string& target);
    File& GetFile() { return file_; }
    // Flushes and closes the temporary file, gives it the permissions of
    // the file it replaces and renames it over the target.
    bool Commit();
    void Discard();

    uint32_t GetError() const { return error_; }

private:
    bool Fail(int err);

    File file_;
    std::string target_;
    std::string temp_;
    uint32_t error_ = File::NoError;
};

} // namespace vel::core
