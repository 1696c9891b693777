#include "apps/lumo/shell/DisplayEnvironment.h"

#include <QByteArray>
#include <cstdlib>

namespace vel::lumo {

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

bool NamesADisplay() {
    return IsSet("DISPLAY") || IsSet("WAYLAND_DISPLAY");
}

void PreferTheNamedDisplay() {
    if (!IsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", IsSet("DISPLAY") ? "xcb;offscreen" : "wayland;offscreen");
    }
}

} // namespace vel::lumo
