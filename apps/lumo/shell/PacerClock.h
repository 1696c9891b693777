#pragma once

#include <chrono>

namespace vel::lumo {

// The time source of playback, replaceable so that tests step through frames
// without waiting.
class PacerClock {
public:
    using Duration = std::chrono::nanoseconds;
    using TimePoint = std::chrono::time_point<std::chrono::steady_clock, Duration>;

    virtual ~PacerClock() = default;
    virtual TimePoint Now() const = 0;
    virtual void SleepUntil(TimePoint when) = 0;
    // One turn of a busy wait.
    virtual void Spin() = 0;

protected:
    PacerClock() = default;
    PacerClock(const PacerClock&) = default;
    PacerClock& operator=(const PacerClock&) = default;
};

// The system's monotonic clock.
class SteadyPacerClock final : public PacerClock {
public:
    TimePoint Now() const override;
    void SleepUntil(TimePoint when) override;
    void Spin() override;
};

} // namespace vel::lumo
