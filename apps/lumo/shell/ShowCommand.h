#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace vel::lumo {

class LumoWnd;

// lumo --show: plays the document full screen in a loop, as the main window's
// show does, without opening the main window, until Escape ends it. screen
// counts from 1 in the desktop's order; 0 takes the one chosen last in the
// main window, else the first. Answers the exit code: 0 once the show ended,
// 1 when the document, the screen or the display is not there.
int ShowCommand(int& argc, char* argv[], const std::string& document, uint32_t screen);

// The show of the editor's document on the screen of that index, the editor
// staying hidden: it keys, undoes and saves the fit as its own show does. A
// show ended with unsaved changes asks about them as closing the editor
// does, and Cancel goes on with the show. Answers the exit code.
int RunShowOnly(LumoWnd& editor, std::size_t screen);

} // namespace vel::lumo
