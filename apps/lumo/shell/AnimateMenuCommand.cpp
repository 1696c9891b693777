#include "apps/lumo/shell/AnimateMenuCommand.h"

#include "apps/lumo/animate/ApplyAnimation.h"
#include "apps/lumo/dialogs/AnimateDlg.h"
#include "apps/lumo/dialogs/FailureBox.h"
#include "apps/lumo/dialogs/ProgressRun.h"
#include "apps/lumo/document/LumoDocument.h"
#include "core/UserFailure.h"
#include "wingui/DialogRunner.h"

#include <exception>
#include <optional>

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
    std::optional<Animation> animation;
    bool finished = false;
    try {
        finished = RunWithProgress(owner, dialog.windowTitle(), showProgressAfter,
                                   [&](const ProgressCallback& progress) {
                                       animation = generator->Generate(input, progress);
                                   });
    } catch (...) {
        ShowFailure(owner, "Sorry, the keys could not be made.", {},
                    core::FailureReason(std::current_exception()));
        return {};
    }
    if (!finished || !animation ||
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
