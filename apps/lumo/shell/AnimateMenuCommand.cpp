#include "apps/lumo/shell/AnimateMenuCommand.h"

#include "apps/lumo/animate/ApplyAnimation.h"
#include "apps/lumo/dialogs/AnimateDlg.h"
#include "apps/lumo/dialogs/ExportProgressDlg.h"
#include "apps/lumo/dialogs/FailureBox.h"
#include "apps/lumo/document/LumoDocument.h"
#include "core/UserFailure.h"
#include "wingui/DialogRunner.h"

#include <atomic>
#include <exception>
#include <optional>
#include <thread>

namespace vel::lumo {

namespace {

// Short runs (blinks, flicker) finish before any dialog would flash up.
constexpr auto ShowProgressAfter = std::chrono::milliseconds(300);

} // namespace

std::string RunAnimation(QWidget* owner, LumoDocument& document, const AnimateDlg& dialog,
                         std::chrono::milliseconds showProgressAfter) {
    const std::unique_ptr<KeyGenerator> generator = dialog.MakeGenerator();
    const FrameRange range = dialog.Range();
    // The worker reads only this copy; the document stays with this thread.
    const AnimateInput input = AnimateInput::From(document, range);
    if (generator->Problem(input)) {
        return {};
    }
    ExportProgressDlg progress(owner, dialog.windowTitle());
    std::optional<Animation> animation;
    std::exception_ptr failure;
    std::atomic<bool> finished{false};
    std::thread worker([&] {
        try {
            animation = generator->Generate(input, [&](std::uint64_t done, std::uint64_t total) {
                progress.Report(done, total);
                return !progress.CancelRequested();
            });
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
        progress.Finish();
    });
    const auto deadline = std::chrono::steady_clock::now() + showProgressAfter;
    while (!finished && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    if (!finished) {
        wingui::DialogRunner::Exec(progress);
    }
    worker.join();
    if (failure) {
        ShowFailure(owner, "Sorry, the keys could not be made.", {}, core::FailureReason(failure));
        return {};
    }
    if (!animation || progress.CancelRequested() ||
        !ApplyAnimation(document, generator->Name(), range, *animation)) {
        return {};
    }
    std::string outcome = animation->method;
    if (const auto warning = MissingPoseWarning(document, generator->Keys())) {
        outcome += " " + *warning + ".";
    }
    return outcome;
}

std::string AnimateFromDialog(QWidget* owner, LumoDocument& document, AnimateDlg& dialog) {
    if (wingui::DialogRunner::Exec(dialog) != QDialog::Accepted) {
        return {};
    }
    return RunAnimation(owner, document, dialog, ShowProgressAfter);
}

} // namespace vel::lumo
