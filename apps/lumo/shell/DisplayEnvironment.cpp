#include "apps/lumo/shell/DisplayEnvironment.h"

#include <QByteArray>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vel::lumo {

namespace {

bool LeadsNowhere(int descriptor) {
    struct stat status {};
    if (::fstat(descriptor, &status) != 0) {
        return true;
    }
    return S_ISCHR(status.st_mode) && ::isatty(descriptor) == 0;
}

bool HasControllingTerminal() {
    const int terminal = ::open("/dev/tty", O_RDONLY | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) {
        return false;
    }
    ::close(terminal);
    return true;
}

} // namespace

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

bool NowhereToPrint() {
    return !HasControllingTerminal() && LeadsNowhere(STDOUT_FILENO) && LeadsNowhere(STDERR_FILENO);
}

} // namespace vel::lumo
