#include "apps/lumo/render/AvailableMemory.h"

#include <fstream>
#include <limits>
#include <string>
#include <unistd.h>

namespace vel::lumo {

std::uint64_t AvailableMemory() {
    std::ifstream info("/proc/meminfo");
    std::uint64_t available = 0;
    std::uint64_t swap = 0;
    bool known = false;
    std::string name;
    std::uint64_t kilobytes = 0;
    while (info >> name >> kilobytes) {
        if (name == "MemAvailable:") {
            available = kilobytes * 1024;
            known = true;
        } else if (name == "SwapFree:") {
            swap = kilobytes * 1024;
        }
        info.ignore(64, '\n');
    }
    if (known) {
        return available + swap;
    }
    // Without the kernel's estimate, the free pages (the cache it could drop
    // is not counted); without those, no limit but what allocating allows.
    const long pages = sysconf(_SC_AVPHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0) {
        return std::numeric_limits<std::uint64_t>::max();
    }
    return static_cast<std::uint64_t>(pages) * static_cast<std::uint64_t>(pageSize) + swap;
}

} // namespace vel::lumo
