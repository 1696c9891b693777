#pragma once

namespace vel::lumo {

// Whether the environment variable is set to something.
bool IsSet(const char* variable);

// Whether the environment names a display, X11 or Wayland.
bool NamesADisplay();

// Unless a platform was chosen, asks Qt for the named display's platform and
// lets it fall back to no display at all, instead of ending the program, when
// that display cannot be reached.
void PreferTheNamedDisplay();

// Whether text printed on standard output and standard error reaches nobody:
// the program has no controlling terminal and both streams are closed or go
// to a device that is not a terminal (/dev/null), as when a desktop menu
// starts it. A terminal, a pipe, a socket or a file is somewhere to print.
bool NowhereToPrint();

} // namespace vel::lumo
