#include "apps/lumo/shell/EditorStart.h"

#include "apps/lumo/shell/Autosaver.h"
#include "apps/lumo/shell/DisplayEnvironment.h"
#include "apps/lumo/shell/LumoCommandLine.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/RecoveryOffer.h"
#include "core/FailureMessage.h"
#include "wingui/WindowPlacement.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QScreen>
#include <QWindow>
#include <string>

namespace vel::lumo {

namespace {

const QSize DemoSize(1024, 768);
// How long the window manager may take to frame a new window.
constexpr int FrameWaitMs = 2000;
const QString NoDisplayPlatform = QStringLiteral("offscreen");

int NoDisplay(const char* reason) {
    return core::Fail({}, std::string("cannot open the window: ") + reason);
}

void ShowDefault(QWidget& window, bool maximize) {
    if (maximize) {
        window.showMaximized();
    } else {
        window.show();
    }
}

// The window manager frames the window only once it is on the screen.
void WaitForFrame(QWidget& window) {
    const QDeadlineTimer deadline(FrameWaitMs);
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) &&
           !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

// The size asked for is the frame's, as screenshots show the frame too.
void FrameTo(QWidget& window, QSize outer) {
    WaitForFrame(window);
    const QSize frame = window.frameGeometry().size() - window.size();
    window.resize(outer - frame);
    window.move(0, 0);
}

} // namespace

void ShowMainWindow(wingui::MainWindowBase& window, bool demo, bool maximize) {
    if (demo) {
        window.setGeometry(QRect(QPoint(0, 0), DemoSize));
        ShowDefault(window, maximize);
        if (!maximize) {
            FrameTo(window, DemoSize);
        }
        return;
    }
    // A placement that cannot be snapped again is still the user's.
    if (!window.RestorePlacement()) {
        // A first start gets three quarters of the screen, as a desktop
        // places a new window.
        if (const QScreen* screen = window.screen()) {
            const QRect area = screen->availableGeometry();
            const QSize size = area.size() * 3 / 4;
            window.setGeometry(QRect(area.topLeft() + QPoint((area.width() - size.width()) / 2,
                                                             (area.height() - size.height()) / 2),
                                     size));
        }
        ShowDefault(window, maximize);
    } else {
        if (!window.RestoreSnap()) {
            ShowDefault(window, maximize);
        }
        // A placement that fills the screen leaves no room for the frame
        // until the window manager has added it.
        if (!window.isMaximized()) {
            WaitForFrame(window);
            wingui::FitFrame(window);
        }
    }
    if (window.isMinimized()) {
        window.showNormal();
    } else if (maximize && !window.isMaximized()) {
        window.showMaximized();
    }
}

std::unique_ptr<QApplication> StartOnDisplay(int& argc, char* argv[], int& exitCode) {
    // An explicit platform (offscreen for screenshots and tests) is the
    // caller's choice; otherwise a display must be there, as Qt would end the
    // process without one.
    const bool platformChosen = IsSet("QT_QPA_PLATFORM");
    if (!platformChosen) {
        if (!NamesADisplay()) {
            exitCode = NoDisplay("no display (neither DISPLAY nor WAYLAND_DISPLAY is set)");
            return nullptr;
        }
        PreferTheNamedDisplay();
    }
    // Qt's notes on the platforms it tried are not the program's messages.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    auto application = std::make_unique<QApplication>(argc, argv);
    qInstallMessageHandler(nullptr);
    if (!platformChosen && QGuiApplication::platformName() == NoDisplayPlatform) {
        exitCode = NoDisplay("the display cannot be reached");
        return nullptr;
    }
    return application;
}

int RunEditor(int& argc, char* argv[], const LumoCommandLine& commandLine) {
    int exitCode = 0;
    const std::unique_ptr<QApplication> application = StartOnDisplay(argc, argv, exitCode);
    if (!application) {
        return exitCode;
    }
    LumoWnd window;
    ShowMainWindow(window, commandLine.demo, commandLine.maximize);
    window.repaint();
    // Recovered work takes the window's one document before a named file can.
    const bool recovered = OfferRecovery(window, window.GetAutosaver().Store());
    if (const std::string& fileName = commandLine.fileName; !fileName.empty() && !recovered) {
        window.OpenFile(fileName);
    }
    return window.RunMessageLoop();
}

} // namespace vel::lumo
