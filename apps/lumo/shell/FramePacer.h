#pragma once

#include "apps/lumo/shell/PacerClock.h"

namespace vel::lumo {

// Frame deadlines on a fixed schedule: a late frame is not skipped, the next
// deadlines simply come sooner. The wait sleeps until shortly before each
// deadline and spins the rest, as a sleep may overshoot by a fraction of a
// millisecond.
class FramePacer {
public:
    // What the sleep leaves to the spin.
    static constexpr PacerClock::Duration Slack = std::chrono::microseconds(1500);

    explicit FramePacer(PacerClock& clock) : clock_(&clock) {}

    void Start(double framesPerSecond);
    // Waits for the next deadline; false when it had passed before the wait.
    bool Wait();
    // Puts the next deadline the given time from now, for a schedule that
    // follows another clock (the sound being heard).
    void Align(PacerClock::Duration untilNext);
    PacerClock::Duration GetPeriod() const { return period_; }
    // The deadline the last wait was for.
    PacerClock::TimePoint GetLastDeadline() const { return last_; }

private:
    PacerClock* clock_;
    PacerClock::Duration period_{};
    PacerClock::TimePoint next_{};
    PacerClock::TimePoint last_{};
    bool started_ = false;
};

} // namespace vel::lumo
