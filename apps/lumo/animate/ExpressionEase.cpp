#include "apps/lumo/animate/ExpressionEase.h"

namespace vel::lumo {

float ExpressionEase::Step() {
    if (held_ && step_ < Frames) {
        ++step_;
    } else if (!held_ && step_ > 0) {
        --step_;
    }
    return Weight();
}

// Eased in and out, so the knob starts and lands softly rather than at a
// steady speed.
float ExpressionEase::Weight() const {
    const float t = static_cast<float>(step_) / Frames;
    return t * t * (3.0f - 2.0f * t);
}

} // namespace vel::lumo
