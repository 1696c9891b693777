#include "apps/lumo/dialogs/AnimateDlg.h"
#include "apps/lumo/dialogs/ExpressionKeysDlg.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/shell/AnimateMenuCommand.h"
#include "apps/lumo/shell/AudioLoader.h"
#include "apps/lumo/shell/LumoWnd.h"

#include <QStatusBar>
#include <memory>

namespace vel::lumo {

int LumoWnd::OnAnimate(uint32_t id) {
    if (!document_) {
        return 0;
    }
    Stop();
    const AudioLoader::Hold hold(*audioLoader_);
    std::unique_ptr<AnimateDlg> dialog;
    if (id == IdLipSync) {
        dialog = std::make_unique<LipSyncDlg>(this, *document_);
    } else if (id == IdAddBlinks) {
        dialog = std::make_unique<BlinksDlg>(this, *document_);
    } else {
        dialog = std::make_unique<FlickerDlg>(this, *document_);
    }
    const KnobTimeline before = document_->GetTimeline();
    const std::string outcome = AnimateFromDialog(this, *document_, *dialog);
    if (outcome.empty()) {
        return 0;
    }
    timeline_->ShowFirstChange(before);
    // Says which method made the keys, and what the user cannot see yet.
    statusBar()->showMessage(QString::fromStdString(outcome), OutcomeShownMs);
    return 1;
}

int LumoWnd::OnExpressionKeys() {
    if (document_) {
        ChooseExpressionKeys(this, *document_);
    }
    return 0;
}

} // namespace vel::lumo
