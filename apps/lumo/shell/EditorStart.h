#pragma once

#include <memory>
#include <string>

class QApplication;

namespace vel::wingui {
class MainWindowBase;
}

namespace vel::lumo {

struct LumoCommandLine;

// Shows the main window where it was last, or, for screenshots (demo), at the
// screen's origin with its frame 1024 by 768 pixels.
void ShowMainWindow(wingui::MainWindowBase& window, bool demo, bool maximize);

// The application on the named display, or on the platform the caller chose
// (offscreen for screenshots and tests). Without a display to show a window
// on, one line on standard error, the exit code in exitCode, and none.
std::unique_ptr<QApplication> StartOnDisplay(int& argc, char* argv[], int& exitCode);

// Opens the main window as the command line asks, opens the named document and
// runs until the window closes. Without a display to show the window on, one
// line on standard error and exit code 1.
int RunEditor(int& argc, char* argv[], const LumoCommandLine& commandLine);

} // namespace vel::lumo
