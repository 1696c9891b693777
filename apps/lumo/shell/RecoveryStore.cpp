#include "apps/lumo/shell/RecoveryStore.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/LumoSerializer.h"
#include "core/ReplacingFile.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sys/stat.h>

namespace vel::lumo {

namespace {

constexpr std::string_view CopyExtension = ".glw";
constexpr std::string_view RecordExtension = ".record";

std::string StateHome() {
    if (const char* state = std::getenv("XDG_STATE_HOME"); state != nullptr && *state == '/') {
        return state;
    }
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/.local/state";
}

// fill answers whether it wrote everything into the file.
core::FileError Replace(const std::string& path, const std::function<bool(core::File&)>& fill) {
    core::ReplacingFile out;
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

// Copies hold the user's work, so only the user may read them.
core::FileError MakeFolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return core::FileError::FromErrno(error.value());
    }
    ::chmod(folder.c_str(), 0700);
    return {};
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
    if (core::FileError made = MakeFolder(folder_); made.Code() != 0) {
        return made;
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

void RecoveryStore::Remove(const std::string& id) const {
    // The record first: a copy without one is never offered.
    std::error_code ignored;
    std::filesystem::remove(RecordPath(id), ignored);
    std::filesystem::remove(CopyPath(id), ignored);
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
    std::vector<std::string> ids;
    std::error_code error;
    for (auto entry = std::filesystem::directory_iterator(folder_, error);
         entry != std::filesystem::directory_iterator(); entry.increment(error)) {
        if (entry->path().extension() == RecordExtension) {
            ids.push_back(entry->path().stem().string());
        }
    }
    return ids;
}

std::optional<RecoveryRecord> RecoveryStore::ReadRecord(const std::string& id) const {
    std::ifstream in(RecordPath(id), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return RecoveryRecord::Parse(
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
}

} // namespace vel::lumo
