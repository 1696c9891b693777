#pragma once

#include <cstdint>
#include <string>

namespace vel::lumo {

// Names one run of a program on this machine: its process id alone is
// reused, so the boot and the moment the process started tell a live owner
// from a stranger that inherited its number.
struct ProcessIdentity {
    int64_t pid = 0;
    // Clock ticks after boot at which the process started.
    uint64_t started = 0;
    std::string boot;

    static ProcessIdentity Current();
    // The process with that id now; started is 0 when there is none.
    static ProcessIdentity Of(int64_t pid);
    // Whether that very process is still running on this boot.
    bool IsRunning() const;
    bool operator==(const ProcessIdentity&) const = default;
};

} // namespace vel::lumo
