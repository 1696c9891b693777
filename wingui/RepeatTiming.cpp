#include "wingui/RepeatTiming.h"

#include <QGuiApplication>
#include <QStyleHints>
#include <algorithm>
#include <cmath>

namespace vel::wingui {

namespace {
constexpr unsigned kDefaultDelay = 1; // 500 ms, the usual desktop default
constexpr int kSlowestIntervalMs = 405;
constexpr int kIntervalStepMs = 12;
constexpr unsigned kFastestSpeed = 31;
} // namespace

RepeatTiming RepeatTiming::FromKeyboardSettings(unsigned delay, unsigned speed) {
    delay = std::min(delay, 3u);
    speed = std::min(speed, kFastestSpeed);
    return {static_cast<int>(delay + 1) * 250,
            kSlowestIntervalMs - kIntervalStepMs * static_cast<int>(speed)};
}

RepeatTiming RepeatTiming::FromSystem() {
    // The desktop tells its repeat rate in characters per second but not its
    // delay; a rate that cannot be read counts as the slowest speed.
    unsigned speed = 0;
    const int rate = QGuiApplication::styleHints()->keyboardAutoRepeatRate();
    if (rate > 0) {
        const double interval = 1000.0 / rate;
        const double s = std::round((kSlowestIntervalMs - interval) / kIntervalStepMs);
        speed = static_cast<unsigned>(std::clamp(s, 0.0, double(kFastestSpeed)));
    }
    return FromKeyboardSettings(kDefaultDelay, speed);
}

} // namespace vel::wingui
