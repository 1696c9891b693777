#include "apps/lumo/shell/FramePacer.h"

#include <algorithm>

namespace vel::lumo {

void FramePacer::Start(double framesPerSecond) {
    const double seconds = framesPerSecond > 0 ? 1.0 / framesPerSecond : 1.0;
    period_ = std::chrono::duration_cast<PacerClock::Duration>(
        std::chrono::duration<double>(std::min(seconds, 1.0)));
    started_ = false;
}

FramePacer::Beat FramePacer::Wait() {
    PacerClock::TimePoint now = clock_->Now();
    if (!started_) {
        started_ = true;
        last_ = now;
        next_ = now + period_;
        return {};
    }
    Beat beat;
    beat.onTime = now <= next_;
    if (const PacerClock::Duration behind = now - next_;
        afterStall_ == AfterStall::Drop && behind >= period_) {
        const auto dropped = behind / period_;
        next_ += dropped * period_;
        beat.frames += static_cast<uint64_t>(dropped);
    }
    if (now + Slack < next_) {
        clock_->SleepUntil(next_ - Slack);
        now = clock_->Now();
    }
    while (now < next_) {
        clock_->Spin();
        now = clock_->Now();
    }
    last_ = next_;
    next_ += period_;
    return beat;
}

void FramePacer::Align(PacerClock::Duration untilNext) {
    next_ = clock_->Now() + (afterStall_ == AfterStall::Drop
                                 ? untilNext
                                 : std::max(untilNext, PacerClock::Duration::zero()));
    started_ = true;
}

} // namespace vel::lumo
