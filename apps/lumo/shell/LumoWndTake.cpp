#include "apps/lumo/animate/TakeRecorder.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/shell/LiveMicrophone.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/ShowWnd.h"

#include <QAction>
#include <utility>

namespace vel::lumo {

bool LumoWnd::IsRecording() const {
    return take_ != nullptr;
}

// The take starts at the frame the face shows, which holds while the take
// lasts: a playing document would sound its old clip into the microphone.
// The sound itself times the take's frames.
int LumoWnd::OnRecordTake() {
    if (!document_) {
        return 0;
    }
    if (IsRecording()) {
        EndTake(QString());
        return 0;
    }
    // A take needs live voice; turned on here, it first learns the room.
    QString lead;
    if (!IsLive()) {
        OnLiveVoice();
        if (!IsLive()) {
            return 0;
        }
        lead = QStringLiteral("Live voice is on: a second of quiet first. ");
    }
    Stop();
    if (IsShowing() && show_->IsPlaying()) {
        show_->TogglePause();
    }
    const uint32_t first = IsShowing() ? show_->GetFrame() : frame_;
    take_ = std::make_unique<TakeRecorder>(LiveMicrophone::SoundFormat(), document_->GetFrameRate(),
                                           first);
    microphone_->SetListener([this](std::span<const std::uint8_t> sound) {
        KnobValues live = liveKnobs_.Values();
        for (const KnobKey& key : microphone_->LifeKeys()) {
            live.erase(key);
        }
        take_->Hear(sound, live);
    });
    ShowStatus(lead +
               QStringLiteral("\u25CF Recording a take from frame %1: R ends it.").arg(first));
    UpdateLiveVoiceMenu();
    return 0;
}

void LumoWnd::EndTake(const QString& why) {
    if (!take_) {
        return;
    }
    const std::unique_ptr<TakeRecorder> take = std::move(take_);
    if (microphone_) {
        microphone_->SetListener(nullptr);
    }
    const QString lead = why.isEmpty() ? QString() : why + QLatin1Char(' ');
    if (!take->Apply(*document_)) {
        ShowStatus(lead + QStringLiteral("The take heard no sound and changes nothing."));
        return;
    }
    RequestFrame(take->FirstFrame());
    ShowStatus(lead + QStringLiteral("The take is recorded: %1 frames from frame %2, the clip and "
                                     "the keys in one step that Undo takes back.")
                          .arg(take->FrameCount())
                          .arg(take->FirstFrame()));
    UpdateLiveVoiceMenu();
}

} // namespace vel::lumo
