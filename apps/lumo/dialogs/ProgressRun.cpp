#include "apps/lumo/dialogs/ProgressRun.h"

#include "apps/lumo/dialogs/WorkProgressDlg.h"
#include "wingui/DialogRunner.h"
#include "wingui/PostToThread.h"

#include <QEventLoop>
#include <QTimer>
#include <exception>
#include <thread>

namespace vel::lumo {

bool RunWithProgress(QWidget* owner, const QString& title, std::chrono::milliseconds showAfter,
                     const ProgressJob& job) {
    WorkProgressDlg progress(owner, title);
    QEventLoop waiting;
    bool ended = false;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            job([&](std::uint64_t done, std::uint64_t total) {
                progress.Report(done, total);
                return !progress.CancelRequested();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        wingui::PostToThread(&progress, [&] {
            ended = true;
            waiting.quit();
            progress.Finish();
        });
    });
    if (showAfter.count() > 0) {
        // Short work ends before any dialog would flash up; meanwhile the
        // window paints but takes no input, as under the dialog.
        QTimer::singleShot(showAfter, &waiting, &QEventLoop::quit);
        waiting.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!ended) {
        wingui::DialogRunner::Exec(progress);
    }
    worker.join();
    if (failure) {
        std::rethrow_exception(failure);
    }
    return !progress.CancelRequested();
}

} // namespace vel::lumo
