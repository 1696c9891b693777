#pragma once

namespace vel::lumo {

// One turn of a window's message loop: handles the events waiting, and while
// nothing plays, sleeps until the next one comes. Called between the frames
// of playback, it never waits.
void PumpMessages(bool playing);

} // namespace vel::lumo
