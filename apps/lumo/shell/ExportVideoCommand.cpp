#include "apps/lumo/shell/ExportVideoCommand.h"

#include "apps/lumo/dialogs/ExportVideoOptionsDlg.h"
#include "apps/lumo/dialogs/FailureBox.h"
#include "apps/lumo/dialogs/ProgressRun.h"
#include "apps/lumo/render/ExportFailure.h"
#include "apps/lumo/render/ExportRun.h"
#include "apps/lumo/shell/ExportNotice.h"
#include "apps/lumo/shell/ReplaceVideoQuestion.h"
#include "wingui/DialogRunner.h"

#include <QGuiApplication>
#include <exception>
#include <filesystem>
#include <system_error>

namespace vel::lumo {

namespace {

// Runs the export with its progress shown at once. Answers whether the video
// was written; failure holds what the export threw.
bool WriteVideo(QWidget* owner, const ExportOptions& options, const LumoDocument& document,
                std::exception_ptr& failure) {
    bool written = false;
    // The run copies the document first thing; meanwhile the modal dialog
    // keeps every edit away from it.
    try {
        RunWithProgress(owner, QStringLiteral("Exporting Video"), std::chrono::milliseconds(0),
                        [&](const ProgressCallback& progress) {
                            ExportJob job;
                            written = RunExport(job, options, document, progress);
                        });
    } catch (...) {
        failure = std::current_exception();
    }
    return written;
}

bool IsFile(const std::string& path) {
    std::error_code unknown;
    return std::filesystem::exists(path, unknown);
}

} // namespace

int ExportVideo(QWidget* owner, const LumoDocument* document, ExportChoices& remembered) {
    if (!document) {
        return 0;
    }
    ExportVideoOptionsDlg dialog(owner, *document, remembered);
    // A file already there is replaced only when the user says so; else the
    // dialog comes back with its choices for another name.
    do {
        if (wingui::DialogRunner::Exec(dialog) != QDialog::Accepted) {
            return 0;
        }
    } while (IsFile(dialog.Options().fileName) &&
             !ReplaceVideoQuestion::Ask(owner, dialog.Options().fileName));
    remembered = dialog.Choices();
    const ExportOptions options = dialog.Options();
    if (options.loopCount == 0 || options.endFrame <= options.firstFrame) {
        return 0;
    }
    std::exception_ptr failure;
    const bool written = WriteVideo(owner, options, *document, failure);
    if (failure) {
        ShowFailure(owner, "Sorry, something went wrong while trying to create your video.", {},
                    "the video cannot be written: " + ExportFailureReason(failure));
    }
    if (!written) {
        return 0;
    }
    // The program as a whole, not the window: the progress dialog has just
    // closed, and the window it leaves may only now be taking the focus back.
    AnnounceVideo(owner, options.fileName,
                  QGuiApplication::applicationState() != Qt::ApplicationActive);
    return 1;
}

} // namespace vel::lumo
