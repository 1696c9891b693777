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

} // namespace vel::lumo
