#include "core/ReplacingFile.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vel::core {
namespace {

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    if (slash == std::string::npos) {
        return ".";
    }
    return slash == 0 ? "/" : path.substr(0, slash);
}

// Links are followed, dangling ones too, so that saving through a link
// updates the file it names instead of replacing the link by a plain file.
std::string ResolveLinks(std::string path) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            break;
        }
        std::string next(PATH_MAX, '\0');
        const ssize_t length = ::readlink(path.c_str(), next.data(), next.size());
        if (length <= 0 || static_cast<size_t>(length) == next.size()) {
            break;
        }
        next.resize(static_cast<size_t>(length));
        path = next.front() == '/' ? next : FolderOf(path) + "/" + next;
    }
    return path;
}

constexpr mode_t PrivateMode = 0600;

// Why an existing target must not be replaced; no error when it may be or
// when there is none yet. A link at the target's name is no fault when the
// link itself is replaced.
FileError CheckTarget(const std::string& target, ReplacingFile::Privacy privacy) {
    struct stat info {};
    const bool linksFollowed = privacy == ReplacingFile::Shared;
    if ((linksFollowed ? ::stat(target.c_str(), &info) : ::lstat(target.c_str(), &info)) != 0 ||
        S_ISLNK(info.st_mode)) {
        return {};
    }
    if (S_ISDIR(info.st_mode)) {
        return FileError::FromErrno(EISDIR);
    }
    if (!S_ISREG(info.st_mode)) {
        return FileError(File::NotAFile, 0);
    }
    // Replacing would bypass a file made read-only, even for the superuser,
    // whom the system lets write anything.
    if ((info.st_mode & 0222) == 0) {
        return FileError::FromErrno(EACCES);
    }
    return ::access(target.c_str(), W_OK) == 0 ? FileError() : FileError::FromErrno(errno);
}

// Short, so that a target name of up to the system's 255 bytes still
// leaves room for it.
std::string ShortName(const std::string& folder) {
    static constexpr char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::string name = folder + "/.lumo";
    for (int i = 0; i < 8; ++i) {
        name += letters[random() % (sizeof letters - 1)];
    }
    return name + ".tmp";
}

// Calls create with fresh names until one is free; answers its errno, 0
// on success, with the name taken in named.
template <typename Create>
int CreateNamed(const std::string& folder, std::string& named, Create create) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = ShortName(folder);
        const int err = create(name);
        if (err != EEXIST) {
            if (err == 0) {
                named = std::move(name);
            }
            return err;
        }
    }
    return EEXIST;
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

bool ReplacingFile::Fail(FileError error) {
    Discard();
    error_ = std::move(error);
    return false;
}

bool ReplacingFile::Open(const std::string& target) {
    Discard();
    if (target.empty()) {
        return Fail(FileError::FromErrno(ENOENT));
    }
    target_ = privacy_ == Shared ? ResolveLinks(target) : target;
    folder_ = FolderOf(target_);
    if (const FileError refused = CheckTarget(target_, privacy_); refused.Code() != File::NoError) {
        return Fail(refused);
    }
    if (!file_.OpenUnnamed(folder_)) {
        const int err = file_.Failure().System();
        // The file system has no unnamed files: a named one stands in.
        if (err != EOPNOTSUPP && err != EISDIR && err != EINVAL) {
            return Fail(file_.Failure());
        }
        const int created = CreateNamed(folder_, named_, [this](const std::string& name) {
            return file_.Open(name, File::ReadWriteAccess, File::CreateNew)
                       ? 0
                       : file_.Failure().System();
        });
        if (created != 0) {
            return Fail(FileError::FromErrno(created));
        }
    }
    if (privacy_ == Private && ::fchmod(file_.Descriptor(), PrivateMode) != 0) {
        return Fail(FileError::FromErrno(errno));
    }
    error_ = FileError();
    return true;
}

int ReplacingFile::Name() {
    if (!named_.empty()) {
        return 0;
    }
    const std::string open = "/proc/self/fd/" + std::to_string(file_.Descriptor());
    return CreateNamed(folder_, named_, [&open](const std::string& name) {
        return ::linkat(AT_FDCWD, open.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0
                   ? 0
                   : errno;
    });
}

bool ReplacingFile::Commit() {
    if (!file_.IsOpen()) {
        error_ = FileError(File::OtherError, 0);
        return false;
    }
    if (!file_.Sync()) {
        return Fail(file_.Failure());
    }
    struct stat old {};
    if (privacy_ == Shared && ::stat(target_.c_str(), &old) == 0) {
        ::fchmod(file_.Descriptor(), old.st_mode & 07777);
    }
    if (const int err = Name(); err != 0) {
        return Fail(FileError::FromErrno(err));
    }
    if (!file_.Close()) {
        return Fail(file_.Failure());
    }
    if (::rename(named_.c_str(), target_.c_str()) != 0) {
        return Fail(FileError::FromErrno(errno));
    }
    named_.clear();
    SyncFolder(folder_);
    error_ = FileError();
    return true;
}

void ReplacingFile::Discard() {
    file_.Close();
    if (!named_.empty()) {
        ::unlink(named_.c_str());
        named_.clear();
    }
}

} // namespace vel::core
