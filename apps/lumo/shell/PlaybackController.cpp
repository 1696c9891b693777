#include "apps/lumo/shell/PlaybackController.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/AudioWnd.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/panes/TransportBar.h"

#include <QWidget>
#include <algorithm>
#include <chrono>
#include <optional>

namespace vel::lumo {

PlaybackController::PlaybackController(PacerClock& clock, PaneHost& host, AudioWnd& audio,
                                       TransportBar* transport, QWidget& window, AtEnd atEnd,
                                       FramePacer::AfterStall afterStall)
    : host_(&host), audio_(&audio), transport_(transport), window_(&window),
      pacer_(clock, afterStall), atEnd_(atEnd) {}

void PlaybackController::ShowPlaying(bool playing) {
    if (transport_ != nullptr) {
        transport_->ShowPlaying(playing);
    }
}

void PlaybackController::Play(const LumoDocument& document) {
    if (host_->GetFrame() == document.GetFrameCount()) {
        host_->RequestFrame(0);
    }
    playing_ = true;
    const double framesPerSecond = document.GetFrameRate() / 1000.0;
    pacer_.Start(framesPerSecond);
    audio_->Start(host_->GetFrame(), framesPerSecond);
    ShowPlaying(true);
}

void PlaybackController::Stop() {
    playing_ = false;
    if (audio_->IsRunning()) {
        audio_->Stop();
    }
    ShowPlaying(false);
}

// While sound plays, the picture follows what is being heard rather than the
// system clock, which drifts from the sound card's; after a stall a pacer that
// drops jumps to the frame being heard.
void PlaybackController::FollowSound(const LumoDocument& document) {
    const double framesPerSecond = document.GetFrameRate() / 1000.0;
    if (const std::optional<double> heard = audio_->HeardSeconds(); heard && framesPerSecond > 0) {
        const double untilNext = (host_->GetFrame() + 1.0) / framesPerSecond - *heard;
        pacer_.Align(std::chrono::duration_cast<PacerClock::Duration>(
            std::chrono::duration<double>(untilNext)));
    }
}

PacerClock::Duration PlaybackController::Turn(const LumoDocument* document) {
    if (document != nullptr) {
        FollowSound(*document);
        if (const PacerClock::Duration left = pacer_.UntilWake();
            left > PacerClock::Duration::zero()) {
            return left;
        }
    }
    Step(document);
    return PacerClock::Duration::zero();
}

void PlaybackController::Step(const LumoDocument* document) {
    if (document == nullptr) {
        Stop();
        return;
    }
    const uint32_t frame = host_->GetFrame();
    const double framesPerSecond = document->GetFrameRate() / 1000.0;
    FollowSound(*document);
    const FramePacer::Beat beat = pacer_.Wait();
    if (!beat.onTime) {
        window_->update();
    }
    if (frame < document->GetFrameCount()) {
        // Frames dropped to catch up never pass the last, which is shown.
        host_->RequestFrame(static_cast<uint32_t>(
            std::min<uint64_t>(frame + beat.frames, document->GetFrameCount())));
    } else if (atEnd_ == AtEnd::Loop) {
        // The sound starts over with the picture, and the schedule goes on,
        // so that the first frame shows as long as any other.
        host_->RequestFrame(0);
        audio_->Start(0, framesPerSecond);
    } else {
        Stop();
    }
}

} // namespace vel::lumo
