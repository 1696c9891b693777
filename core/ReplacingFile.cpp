#include "core/ReplacingFile.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace vel::core {
namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// A link is followed so that saving through it updates the file it names
// instead of replacing the link by a plain file.
std::string ResolveTarget(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        char resolved[PATH_MAX];
        if (::realpath(path.c_str(), resolved) != nullptr) {
            return resolved;
        }
    }
    return path;
}

void SyncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

} // namespace

ReplacingFile::~ReplacingFile() {
    Discard();
}

bool ReplacingFile::Fail(int err) {
    Discard();
    error_ = File::ErrorFromErrno(err);
    return false;
}

bool ReplacingFile::Open(const std::string& target) {
    Discard();
    target_ = ResolveTarget(target);
    struct stat info {};
    if (::stat(target_.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return Fail(EISDIR);
        }
        // Replacing would bypass a file the user made read-only.
        if (::access(target_.c_str(), W_OK) != 0) {
            return Fail(errno);
        }
    }
    const std::string folder = FolderOf(target_);
    const std::string base = target_.substr(target_.find_last_of('/') + 1);
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string name =
            folder + "/." + base + "." + std::to_string(random() % 1000000000u) + ".tmp";
        if (file_.Open(name, File::WriteAccess, File::CreateNew)) {
            temp_ = name;
            error_ = File::NoError;
            return true;
        }
        if (errno != EEXIST) {
            error_ = file_.GetError();
            return false;
        }
    }
    error_ = File::OtherError;
    return false;
}

bool ReplacingFile::Commit() {
    if (temp_.empty()) {
        error_ = File::OtherError;
        return false;
    }
    if (!file_.Sync()) {
        const uint32_t code = file_.GetError();
        Discard();
        error_ = code;
        return false;
    }
    if (!file_.Close()) {
        return Fail(errno);
    }
    struct stat old {};
    if (::stat(target_.c_str(), &old) == 0) {
        ::chmod(temp_.c_str(), old.st_mode & 07777);
    }
    if (::rename(temp_.c_str(), target_.c_str()) != 0) {
        return Fail(errno);
    }
    temp_.clear();
    SyncFolder(FolderOf(target_));
    error_ = File::NoError;
    return true;
}

void ReplacingFile::Discard() {
    file_.Close();
    if (!temp_.empty()) {
        ::unlink(temp_.c_str());
        temp_.clear();
    }
}

} // namespace vel::core
