#pragma once

#include <string>

namespace vel::lumo {

struct LumoCommandLine;

// Opens the main window as the command line asks, opens the named document and
// runs until the window closes. Without a display to show the window on, one
// line on standard error and exit code 1.
int RunEditor(int& argc, char* argv[], const LumoCommandLine& commandLine);

} // namespace vel::lumo
