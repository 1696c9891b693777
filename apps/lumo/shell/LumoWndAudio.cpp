#include "apps/lumo/dialogs/FailureBox.h"
#include "apps/lumo/document/AudioEdits.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/shell/AudioLoader.h"
#include "apps/lumo/shell/FileTypes.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "wingui/FileDialog.h"
#include "wingui/NativePath.h"

#include <QStatusBar>
#include <utility>

namespace vel::lumo {

int LumoWnd::OnLoadAudio() {
    if (!document_) {
        return 0;
    }
    wingui::FileOpenDialog dialog;
    dialog.SetTitle(QStringLiteral("Load Audio File"));
    dialog.AddFilter(QStringLiteral("Audio Files"),
                     QStringLiteral("*.") + AudioExtensions.join(QStringLiteral(" *.")));
    dialog.AddFilter(QStringLiteral("All Files"), QStringLiteral("*.*"));
    dialog.SetDefaultExtension(AudioExtensions.front());
    if (dialog.Show(this)) {
        LoadAudio(dialog.ChosenPath());
        timeline_->setFocus(Qt::OtherFocusReason);
    }
    return 0;
}

void LumoWnd::LoadAudio(const std::string& path) {
    if (document_) {
        audioLoader_->Start(path, document_->GetFrameRate());
    }
}

bool LumoWnd::IsLoadingAudio() const {
    return audioLoader_->IsLoading();
}

// A file without sound leaves the document's sound as it was.
void LumoWnd::OnAudioLoaded(const std::string& path, AudioFileLoad::Outcome outcome) {
    if (!outcome.loaded) {
        ShowFailure(this, "Error loading audio file:", path, outcome.failure);
        return;
    }
    // The timeline takes up the waveform made with the clip instead of
    // making it again.
    timeline_->ShowWaveform(std::move(outcome.waveform));
    ReplaceAudio(*document_, std::move(outcome.clip));
    if (outcome.silencedSamples != 0) {
        statusBar()->showMessage(
            QStringLiteral("Some samples of %2 are not numbers or are infinite: %1 of them play "
                           "as silence.")
                .arg(outcome.silencedSamples)
                .arg(wingui::DisplayName(path)),
            OutcomeShownMs);
    }
}

} // namespace vel::lumo
