#include "apps/lumo/shell/ExportVideoCommand.h"

#include "apps/lumo/dialogs/ExportProgressDlg.h"
#include "apps/lumo/dialogs/ExportVideoOptionsDlg.h"
#include "apps/lumo/dialogs/VersionInfo.h"
#include "apps/lumo/render/ExportRun.h"
#include "core/FileErrorText.h"
#include "video/XVideoWriter.h"
#include "wingui/DialogRunner.h"
#include "wingui/MessageBox.h"

#include <exception>
#include <thread>

namespace vel::lumo {

namespace {

void ShowFailure(QWidget* owner, const QString& detail) {
    wingui::ShowMessageBox(owner, ProductCaption(), QMessageBox::Critical,
                           QStringLiteral("Sorry, something went wrong while trying to create "
                                          "your video.\n\n") +
                               detail);
}

// Runs the export on a thread of its own while the progress dialog is up.
// Answers whether the video was written; rethrows what the export threw.
bool RunWithProgress(QWidget* owner, const ExportOptions& options, const LumoDocument& document) {
    ExportProgressDlg progress(owner);
    bool written = false;
    std::exception_ptr failure;
    // The run copies the document first thing; meanwhile the modal dialog
    // keeps every edit away from it.
    std::thread worker([&] {
        try {
            ExportJob job;
            written = RunExport(job, options, document, [&](uint64_t done, uint64_t total) {
                progress.Report(done, total);
                return !progress.CancelRequested();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        progress.Finish();
    });
    wingui::DialogRunner::Exec(progress);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return written;
}

} // namespace

int ExportVideo(QWidget* owner, const LumoDocument* document) {
    if (!document)
        return 0;
    ExportVideoOptionsDlg dialog(owner, *document);
    if (wingui::DialogRunner::Exec(dialog) != QDialog::Accepted)
        return 0;
    const ExportOptions options = dialog.Options();
    if (options.loopCount == 0 || options.endFrame <= options.firstFrame)
        return 0;
    try {
        return RunWithProgress(owner, options, *document) ? 1 : 0;
    } catch (const core::FileError& e) {
        ShowFailure(owner, QStringLiteral("The file cannot be written: %1.")
                               .arg(QString::fromStdString(
                                   core::FileErrorText(e, core::FileOperation::Writing))));
    } catch (const video::XVideoWriter& e) {
        ShowFailure(owner, QStringLiteral("The error code was %1: %2.")
                               .arg(e.Code())
                               .arg(QString::fromStdString(e.CodeText())));
    } catch (const std::exception& e) {
        ShowFailure(owner, QStringLiteral("The internal error code says:\n\n  ") +
                               QString::fromUtf8(e.what()));
    }
    return 0;
}

} // namespace vel::lumo
