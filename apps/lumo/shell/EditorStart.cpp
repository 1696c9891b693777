#include "apps/lumo/shell/EditorStart.h"

#include "apps/lumo/shell/Autosaver.h"
#include "apps/lumo/shell/LumoCommandLine.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/RecoveryOffer.h"

#include <QApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

namespace vel::lumo {

namespace {

constexpr int DemoWidth = 1024;
constexpr int DemoHeight = 768;
const QString NoDisplayPlatform = QStringLiteral("offscreen");

bool IsSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

int NoDisplay(const char* reason) {
    std::fprintf(stderr, "lumo: cannot open the window: %s\n", reason);
    return 1;
}

void Show(LumoWnd& window, const LumoCommandLine& commandLine) {
    if (commandLine.demo) {
        window.setGeometry(0, 0, DemoWidth, DemoHeight);
        window.move(0, 0);
        if (commandLine.maximize) {
            window.showMaximized();
        } else {
            window.show();
        }
        return;
    }
    const bool restored = window.RestorePlacement() && window.RestoreSnap();
    if (!restored) {
        // A first start gets three quarters of the screen, as a desktop
        // places a new window.
        if (const QScreen* screen = window.screen()) {
            const QRect area = screen->availableGeometry();
            const QSize size = area.size() * 3 / 4;
            window.setGeometry(QRect(area.topLeft() + QPoint((area.width() - size.width()) / 2,
                                                             (area.height() - size.height()) / 2),
                                     size));
        }
        if (commandLine.maximize) {
            window.showMaximized();
        } else {
            window.show();
        }
    }
    if (window.isMinimized()) {
        window.showNormal();
    } else if (commandLine.maximize && !window.isMaximized()) {
        window.showMaximized();
    }
}

} // namespace

int RunEditor(int& argc, char* argv[], const LumoCommandLine& commandLine) {
    // An explicit platform (offscreen for screenshots and tests) is the
    // caller's choice; otherwise a display must be there, as Qt would end the
    // process without one.
    const bool platformChosen = IsSet("QT_QPA_PLATFORM");
    if (!platformChosen) {
        if (!IsSet("DISPLAY") && !IsSet("WAYLAND_DISPLAY")) {
            return NoDisplay("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
        }
        qputenv("QT_QPA_PLATFORM", IsSet("DISPLAY") ? "xcb;offscreen" : "wayland;offscreen");
    }
    // Qt's notes on the platforms it tried are not the program's messages.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
    qInstallMessageHandler(nullptr);
    if (!platformChosen && QGuiApplication::platformName() == NoDisplayPlatform) {
        return NoDisplay("the display cannot be reached");
    }
    LumoWnd window;
    Show(window, commandLine);
    window.repaint();
    // Recovered work takes the window's one document before a named file can.
    const bool recovered = OfferRecovery(window, window.GetAutosaver().Store());
    if (const std::string& fileName = commandLine.fileName; !fileName.empty() && !recovered) {
        window.OpenFile(fileName);
    }
    return window.RunMessageLoop();
}

} // namespace vel::lumo
