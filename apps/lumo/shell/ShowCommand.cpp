#include "apps/lumo/shell/ShowCommand.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/shell/EditorStart.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/MessagePump.h"
#include "apps/lumo/shell/PacerClock.h"
#include "apps/lumo/shell/ShowScreens.h"
#include "apps/lumo/shell/ShowWnd.h"
#include "core/FailureMessage.h"
#include "core/File.h"
#include "core/FileErrorText.h"
#include "wingui/SettingsKey.h"

#include <QApplication>
#include <QScreen>
#include <optional>
#include <utility>

namespace vel::lumo {

int RunShowOnly(LumoWnd& editor, std::size_t screen) {
    do {
        editor.OnShowOnProjector(screen);
        while (editor.IsShowing()) {
            std::optional<PacerClock::Duration> wait;
            if (editor.Show()->IsPlaying()) {
                wait = editor.Show()->PlaybackTurn();
            }
            PumpMessages(wait);
        }
    } while (!editor.QuerySaveChanges());
    return 0;
}

int ShowCommand(int& argc, char* argv[], const std::string& documentName, uint32_t screenNumber) {
    if (documentName.empty()) {
        return core::Fail({}, "--show needs the name of a gourdglowlight (.glw) document");
    }
    core::FileError error;
    std::unique_ptr<LumoDocument> document = LumoDocument::Open(documentName, error);
    if (!document) {
        return core::Fail(documentName,
                          std::string("cannot open the document: ") +
                              core::FileErrorText(error, core::FileOperation::Reading));
    }
    int exitCode = 0;
    const std::unique_ptr<QApplication> application = StartOnDisplay(argc, argv, exitCode);
    if (!application) {
        return exitCode;
    }
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (screenNumber > static_cast<uint32_t>(screens.size())) {
        return core::Fail(
            {}, "--screen=" + std::to_string(screenNumber) + " names no screen: there " +
                    (screens.size() == 1 ? std::string("is 1 screen")
                                         : "are " + std::to_string(screens.size()) + " screens"));
    }
    QScreen* screen =
        screenNumber > 0
            ? screens[static_cast<qsizetype>(screenNumber) - 1]
            : ChooseShowScreen(screens,
                               LastShowScreen(wingui::SettingsKey(QStringLiteral("Vellumar"),
                                                                  QStringLiteral("Lumo"))),
                               nullptr);
    SteadyPacerClock clock;
    LumoWnd editor(&clock);
    editor.SetDocument(std::move(document));
    return RunShowOnly(editor, static_cast<std::size_t>(screens.indexOf(screen)));
}

} // namespace vel::lumo
