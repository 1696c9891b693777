#pragma once

#include "apps/lumo/shell/PacerClock.h"

#include <cstdint>

namespace vel::lumo {

// Frame deadlines on a fixed schedule. The wait sleeps until shortly before
// each deadline and spins the rest, as a sleep may overshoot by a fraction
// of a millisecond.
class FramePacer {
public:
    // What the sleep leaves to the spin.
    static constexpr PacerClock::Duration Slack = std::chrono::microseconds(1500);

    // What follows a stall: the next deadlines come sooner until the
    // schedule is caught up, every frame shown; or a frame whose successor
    // is due already is dropped and the wait goes on to the frame due now,
    // so that one stall makes no frame after it late.
    enum class AfterStall { CatchUp, Drop };

    // What a wait found.
    struct Beat {
        // How many frames on from the last one the frame to show is: one,
        // or more when the ones between are dropped.
        uint64_t frames = 1;
        // Whether the wait began before the deadline.
        bool onTime = true;
    };

    explicit FramePacer(PacerClock& clock, AfterStall afterStall = AfterStall::CatchUp)
        : clock_(&clock), afterStall_(afterStall) {}

    void Start(double framesPerSecond);
    // Waits for the deadline of the frame to show next.
    Beat Wait();
    // Puts the next deadline the given time from now, for a schedule that
    // follows another clock (the sound being heard); a pacer that drops
    // frames also takes a time ago, to jump to where the other clock is.
    void Align(PacerClock::Duration untilNext);
    PacerClock::Duration GetPeriod() const { return period_; }
    // The deadline the last wait was for.
    PacerClock::TimePoint GetLastDeadline() const { return last_; }
    // How long until the next wait would stop sleeping: until then its
    // caller may do other work and wait later. Before the first frame, which
    // is due at once, none.
    PacerClock::Duration UntilWake() const {
        return started_ ? next_ - Slack - clock_->Now() : PacerClock::Duration::zero();
    }

private:
    PacerClock* clock_;
    AfterStall afterStall_;
    PacerClock::Duration period_{};
    PacerClock::TimePoint next_{};
    PacerClock::TimePoint last_{};
    bool started_ = false;
};

} // namespace vel::lumo
