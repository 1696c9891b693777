#pragma once

#include <filesystem>
#include <functional>
#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace vel::testing {

// The user and group "nobody".
inline constexpr uid_t UnprivilegedUser = 65534;
inline constexpr gid_t UnprivilegedGroup = 65534;

// Answers what check answers when run by an ordinary user, so that
// permission checks apply even where the tests run as the superuser, who
// may write anywhere. The superuser first hands the folder (and everything
// in it) to "nobody" and runs check in a child process that has dropped its
// privileges; check must therefore report through its answer only.
inline bool AsUnprivilegedUser(const std::filesystem::path& folder,
                               const std::function<bool()>& check) {
    if (::geteuid() != 0)
        return check();
    namespace fs = std::filesystem;
    bool handed = ::lchown(folder.c_str(), UnprivilegedUser, UnprivilegedGroup) == 0;
    std::error_code error;
    for (auto entry = fs::recursive_directory_iterator(folder, error);
         !error && entry != fs::recursive_directory_iterator(); entry.increment(error))
        handed =
            handed && ::lchown(entry->path().c_str(), UnprivilegedUser, UnprivilegedGroup) == 0;
    if (!handed || error)
        return false;
    const pid_t child = ::fork();
    if (child == 0) {
        const bool dropped = ::setgroups(0, nullptr) == 0 && ::setgid(UnprivilegedGroup) == 0 &&
                             ::setuid(UnprivilegedUser) == 0;
        ::_exit(dropped && check() ? 0 : 1);
    }
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

} // namespace vel::testing
