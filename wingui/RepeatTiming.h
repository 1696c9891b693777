#pragma once

namespace vel::wingui {

// How fast a held button repeats: the wait before the second firing and the
// interval of every later one, in milliseconds.
struct RepeatTiming {
    int delayMs = 500;
    int intervalMs = 33;

    // From the keyboard's repeat settings: delay 0..3 (quarter seconds, less
    // one) and speed 0..31 (slowest to fastest).
    static RepeatTiming FromKeyboardSettings(unsigned delay, unsigned speed);
    // From the desktop's keyboard repeat rate.
    static RepeatTiming FromSystem();
};

} // namespace vel::wingui
