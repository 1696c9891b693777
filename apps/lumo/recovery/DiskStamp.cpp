#include "apps/lumo/recovery/DiskStamp.h"

#include <sys/stat.h>

namespace vel::lumo {

std::optional<DiskStamp> DiskStamp::Of(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return DiskStamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim.tv_sec,
                     info.st_mtim.tv_nsec};
}

} // namespace vel::lumo
