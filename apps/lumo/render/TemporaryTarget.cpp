#include "apps/lumo/render/TemporaryTarget.h"

#include "video/XVideoWriter.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

extern "C" {
#include <libavutil/error.h>
}

namespace vel::lumo {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(int err) {
    throw video::XVideoWriter(AVERROR(err));
}

// A symbolic link is replaced where it points, so the link survives.
fs::path ResolveLinks(fs::path target) {
    std::error_code ec;
    for (int hops = 0; hops < 40 && fs::is_symlink(target, ec); ++hops) {
        const fs::path next = fs::read_symlink(target, ec);
        if (ec)
            break;
        target = next.is_absolute() ? next : target.parent_path() / next;
    }
    return target;
}

} // namespace

TemporaryTarget::TemporaryTarget(const std::string& target) {
    if (target.empty())
        Fail(ENOENT);
    const fs::path resolved = ResolveLinks(target);
    std::error_code ec;
    if (fs::is_directory(resolved, ec))
        Fail(EISDIR);
    target_ = resolved.string();
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const fs::path temp =
            resolved.parent_path() / ("." + resolved.filename().string() + "." +
                                      std::to_string(random() % 1000000) + ".part");
        const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            temp_ = temp.string();
            return;
        }
        if (errno != EEXIST)
            Fail(errno);
    }
    Fail(EEXIST);
}

TemporaryTarget::~TemporaryTarget() {
    if (!committed_)
        unlink(temp_.c_str());
}

void TemporaryTarget::Commit() {
    struct stat existing {};
    if (stat(target_.c_str(), &existing) == 0)
        chmod(temp_.c_str(), existing.st_mode & 07777);
    if (rename(temp_.c_str(), target_.c_str()) != 0)
        Fail(errno);
    committed_ = true;
}

} // namespace vel::lumo
