#pragma once

#include <chrono>
#include <optional>

namespace vel::lumo {

// One turn of a window's message loop: handles the events waiting, then waits
// for the next one, at most the time given (none: as long as it takes), so
// that playback between its frames still hears the microphone, the keys and
// the mouse.
void PumpMessages(std::optional<std::chrono::nanoseconds> longest);

} // namespace vel::lumo
