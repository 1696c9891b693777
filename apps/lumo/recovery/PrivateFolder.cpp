#include "apps/lumo/recovery/PrivateFolder.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace vel::lumo {

namespace {

constexpr mode_t PrivateMode = 0700;

// What the thing at the folder's name is, when it is not a folder.
std::string KindOf(mode_t mode) {
    if (S_ISFIFO(mode)) {
        return "a pipe";
    }
    if (S_ISSOCK(mode)) {
        return "a socket";
    }
    if (S_ISCHR(mode) || S_ISBLK(mode)) {
        return "a device";
    }
    return "a file";
}

} // namespace

std::optional<std::string> PrivateFolderFault(const std::string& folder) {
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) {
        if (errno == ENOENT) {
            return std::nullopt;
        }
        return std::string("cannot be reached: ") + std::strerror(errno);
    }
    // A link may lead anywhere, another user's folder included.
    if (S_ISLNK(info.st_mode)) {
        return std::string("is a symbolic link");
    }
    if (!S_ISDIR(info.st_mode)) {
        return "is " + KindOf(info.st_mode) + ", not a folder";
    }
    if (info.st_uid != ::geteuid()) {
        return std::string("belongs to another user");
    }
    return std::nullopt;
}

std::optional<std::string> MakePrivateFolder(const std::string& folder) {
    if (std::optional<std::string> fault = PrivateFolderFault(folder)) {
        return fault;
    }
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(folder).parent_path(), error);
    // A folder made at the same moment by another window is as good.
    if (::mkdir(folder.c_str(), PrivateMode) != 0 && errno != EEXIST) {
        return std::string("cannot be made: ") + std::strerror(errno);
    }
    return PrivateFolderFault(folder);
}

} // namespace vel::lumo
