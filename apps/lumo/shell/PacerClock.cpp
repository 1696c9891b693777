#include "apps/lumo/shell/PacerClock.h"

#include <thread>

namespace vel::lumo {

PacerClock::TimePoint SteadyPacerClock::Now() const {
    return std::chrono::steady_clock::now();
}

void SteadyPacerClock::SleepUntil(TimePoint when) {
    std::this_thread::sleep_until(when);
}

void SteadyPacerClock::Spin() {
    std::this_thread::yield();
}

} // namespace vel::lumo
