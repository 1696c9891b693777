#include "apps/lumo/shell/PacerClock.h"

#include <thread>

namespace vel::lumo {

PacerClock::TimePoint SteadyPacerClock::Now() const {
    return std::chrono::steady_clock::now();
}

void SteadyPacerClock::SleepUntil(TimePoint when) {
    std::this_thread::sleep_until(when);
}

// Keeps the core: giving it up could cost a whole time slice of another
// process, far more than the spin is meant to last.
void SteadyPacerClock::Spin() {
#if defined(__x86_64__) || defined(__i386__)
    __builtin_ia32_pause();
#endif
}

} // namespace vel::lumo
