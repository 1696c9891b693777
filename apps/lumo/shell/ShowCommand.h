#pragma once

#include <cstdint>
#include <string>

namespace vel::lumo {

// lumo --show: plays the document full screen in a loop, as the main window's
// show does, without opening the main window, until Escape ends it. screen
// counts from 1 in the desktop's order; 0 takes the one chosen last in the
// main window, else the first. Answers the exit code: 0 once the show ended,
// 1 when the document, the screen or the display is not there.
int ShowCommand(int& argc, char* argv[], const std::string& document, uint32_t screen);

} // namespace vel::lumo
