#include "apps/lumo/recovery/RecoveryStore.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/LumoSerializer.h"
#include "apps/lumo/recovery/PrivateFolder.h"
#include "core/File.h"
#include "core/ReplacingFile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <set>

namespace vel::lumo {

namespace {

constexpr std::string_view CopyExtension = ".glw";
constexpr std::string_view RecordExtension = ".record";
// Far more than a record with the longest path takes: anything larger is not
// one of the program's records, and is never read whole.
constexpr uint64_t LongestRecord = uint64_t{64} * 1024;

std::string StateHome() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && *state == '/') {
        return state;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/state";
}

// Copies hold the user's work, so only the user may read them. fill answers
// whether it wrote everything into the file.
core::FileError Replace(const std::string& path, const std::function<bool(core::File&)>& fill) {
    core::ReplacingFile out(core::ReplacingFile::Private);
    if (!out.Open(path)) {
        return out.Failure();
    }
    if (!fill(out.GetFile())) {
        const core::FileError& failure = out.GetFile().Failure();
        // The file took every byte it was given: the document does not fit its format.
        return failure.Code() != core::File::NoError
                   ? failure
                   : core::FileError(core::File::OtherError, EFBIG);
    }
    out.Commit();
    return out.Failure();
}

} // namespace

std::string RecoveryStore::DefaultFolder() {
    return StateHome() + "/lumo/recovery";
}

std::string RecoveryStore::CopyPath(const std::string& id) const {
    return folder_ + "/" + id + std::string(CopyExtension);
}

std::string RecoveryStore::RecordPath(const std::string& id) const {
    return folder_ + "/" + id + std::string(RecordExtension);
}

core::FileError RecoveryStore::Write(const std::string& id, const LumoDocument& document,
                                     const RecoveryRecord& record) const {
    // The window refuses such a folder before it asks for a copy; one that
    // changed since is refused here.
    if (MakePrivateFolder(folder_)) {
        return core::FileError::FromErrno(EACCES);
    }
    if (core::FileError copy = Replace(CopyPath(id),
                                       [&document](core::File& file) {
                                           LumoSerializer out(file);
                                           return document.Write(out);
                                       });
        copy.Code() != 0) {
        return copy;
    }
    const std::string text = record.ToText();
    return Replace(RecordPath(id), [&text](core::File& file) {
        return file.Write(text.data(), text.size()) == text.size();
    });
}

std::optional<std::string> RecoveryStore::Fault() const {
    return PrivateFolderFault(folder_);
}

void RecoveryStore::Remove(const std::string& id) const {
    // The copy first: a record left without one holds no work and is
    // removed when it is found.
    std::error_code ignored;
    std::filesystem::remove(CopyPath(id), ignored);
    std::filesystem::remove(RecordPath(id), ignored);
}

bool RecoveryStore::Rename(const std::string& from, const std::string& to) const {
    std::error_code error;
    std::filesystem::rename(CopyPath(from), CopyPath(to), error);
    if (error) {
        return false;
    }
    std::filesystem::rename(RecordPath(from), RecordPath(to), error);
    return !error;
}

std::vector<std::string> RecoveryStore::Ids() const {
    std::set<std::string> ids;
    std::error_code error;
    for (auto entry = std::filesystem::directory_iterator(folder_, error);
         entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        const std::filesystem::path& path = entry->path();
        if (path.extension() == RecordExtension || path.extension() == CopyExtension) {
            ids.insert(path.stem().string());
        }
    }
    return {ids.begin(), ids.end()};
}

std::optional<RecoveryRecord> RecoveryStore::ReadRecord(const std::string& id) const {
    core::File in;
    if (!in.Open(RecordPath(id), core::File::ReadAccess, core::File::OpenExisting)) {
        return std::nullopt;
    }
    const std::optional<uint64_t> size = in.Size();
    if (!size || *size > LongestRecord) {
        return std::nullopt;
    }
    std::string text(*size, '\0');
    if (in.Read(text.data(), text.size()) != text.size()) {
        return std::nullopt;
    }
    return RecoveryRecord::Parse(text);
}

} // namespace vel::lumo
