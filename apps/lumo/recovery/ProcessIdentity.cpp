#include "apps/lumo/recovery/ProcessIdentity.h"

#include <fstream>
#include <sstream>
#include <unistd.h>

namespace vel::lumo {

namespace {

std::string BootId() {
    std::ifstream in("/proc/sys/kernel/random/boot_id");
    std::string id;
    std::getline(in, id);
    return id;
}

// Field 22 of the process's stat line; 0 when the process is gone. The
// command name in brackets may hold blanks, so fields count from its end.
uint64_t StartTicks(int64_t pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    if (!std::getline(in, line)) {
        return 0;
    }
    const auto close = line.rfind(')');
    if (close == std::string::npos) {
        return 0;
    }
    std::istringstream fields(line.substr(close + 1));
    std::string field;
    // The state is field 3; the start time is 19 fields further on.
    for (int i = 3; i < 22 && fields >> field; ++i) {
    }
    uint64_t ticks = 0;
    fields >> ticks;
    return ticks;
}

} // namespace

ProcessIdentity ProcessIdentity::Current() {
    return Of(::getpid());
}

ProcessIdentity ProcessIdentity::Of(int64_t pid) {
    return {pid, StartTicks(pid), BootId()};
}

bool ProcessIdentity::IsRunning() const {
    return pid > 0 && boot == BootId() && started != 0 && StartTicks(pid) == started;
}

} // namespace vel::lumo
