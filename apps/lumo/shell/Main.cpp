#include "apps/lumo/shell/Main.h"

#include "apps/lumo/shell/AnimateCommand.h"
#include "apps/lumo/shell/DisplayEnvironment.h"
#include "apps/lumo/shell/EditorStart.h"
#include "apps/lumo/shell/LumoCommandLine.h"
#include "apps/lumo/shell/RenderCommand.h"
#include "apps/lumo/shell/ShowCommand.h"
#include "apps/lumo/shell/UsageReport.h"

#include <QApplication>
#include <QMessageBox>
#include <cstdio>

namespace vel::lumo {

namespace {

// The box is for starts from a desktop menu, where the printed report reaches
// nobody; anywhere else it would wait for a click that a script never gives.
bool ShouldShowMessageBox() {
    return NamesADisplay() && NowhereToPrint();
}

int ReportUsage(const UsageReport& report, int& argc, char* argv[]) {
    std::FILE* stream = report.HasErrors() ? stderr : stdout;
    std::fputs(report.GetText().c_str(), stream);
    std::fflush(stream);
    if (ShouldShowMessageBox()) {
        // A display that cannot be reached must not end the program: the
        // report already printed is then all there is to show.
        PreferTheNamedDisplay();
        const QApplication application(argc, argv);
        if (QGuiApplication::platformName() != QStringLiteral("offscreen")) {
            report.CreateMessageBox()->exec();
        }
    }
    return report.GetExitCode();
}

} // namespace

int Main(int& argc, char* argv[]) {
    // The words arrive already split by the system, the program path first.
    LumoCommandLine commandLine;
    const bool parsed = commandLine.Parse(argc, argv);
    const std::vector<std::string> conflicts = commandLine.GetConflicts();
    if (!parsed || commandLine.help || !conflicts.empty()) {
        return ReportUsage(UsageReport(commandLine, conflicts), argc, argv);
    }
    if (!commandLine.animate.value.empty()) {
        return AnimateCommand(commandLine.fileName, commandLine.animate, commandLine.output,
                              commandLine.LipSync());
    }
    if (commandLine.render) {
        return RenderCommand(argc, argv,
                             {commandLine.fileName, commandLine.output, commandLine.loops,
                              commandLine.minutes, *commandLine.size.Size(), commandLine.fitted});
    }
    if (commandLine.show) {
        return ShowCommand(argc, argv, commandLine.fileName, commandLine.screen.Number());
    }
    return RunEditor(argc, argv, commandLine);
}

} // namespace vel::lumo
