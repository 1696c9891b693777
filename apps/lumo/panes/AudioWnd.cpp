#include "apps/lumo/panes/AudioWnd.h"

#include "apps/lumo/audio/ConvertAudio.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/QtAudioOutput.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <vector>

namespace vel::lumo {

namespace {

// A clip without channels or rate has no sound to convert, and converting
// it would ask for an endless result.
bool HasSound(const AudioView& clip) {
    return clip.channels != 0 && clip.sampleRate != 0 && clip.FrameCount() != 0;
}

} // namespace

AudioWnd::AudioWnd(QWidget* parent, PaneHost* host)
    : AudioWnd(parent, host, std::make_unique<QtAudioOutput>()) {}

AudioWnd::AudioWnd(QWidget* parent, PaneHost* host, std::unique_ptr<AudioOutput> output)
    : Pane(parent, host, QStringLiteral("Audio"), FocusClick::Used), output_(std::move(output)) {
    hide();
}

AudioWnd::~AudioWnd() {
    Stop();
}

void AudioWnd::SetFrame(uint32_t frame) {
    frame_ = frame;
    if (running_) {
        const uint64_t free = output_->FreeFrames();
        if (free > 0) {
            Fill(free);
        }
    }
}

bool AudioWnd::Start(uint32_t frame, double framesPerSecond) {
    Stop();
    frame_ = frame;
    if (playback_.Samples().empty() || !(framesPerSecond > 0) || !output_->Start()) {
        return false;
    }
    position_ = static_cast<uint64_t>(
        std::floor(frame * static_cast<double>(playback_.sampleRate) / framesPerSecond + 0.5));
    startPosition_ = position_;
    if (!Fill(output_->BufferFrames())) {
        output_->Stop();
        return false;
    }
    running_ = true;
    return true;
}

void AudioWnd::Stop() {
    if (running_) {
        output_->Stop();
        running_ = false;
    }
}

// Never further than what was queued, so that a stalled output holds the
// pictures instead of letting them run ahead of the sound.
std::optional<double> AudioWnd::HeardSeconds() const {
    if (!running_) {
        return std::nullopt;
    }
    const std::optional<double> heard = output_->HeardSinceStart();
    if (!heard) {
        return std::nullopt;
    }
    const double rate = playback_.sampleRate;
    const double queued = static_cast<double>(position_ - startPosition_) / rate;
    return static_cast<double>(startPosition_) / rate + std::clamp(*heard, 0.0, queued);
}

bool AudioWnd::Fill(uint64_t n) {
    const uint64_t bytesPerFrame = playback_.bytesPerFrame;
    const uint64_t total = AudioView(playback_).FrameCount();
    const uint64_t fromClip = position_ < total ? std::min(n, total - position_) : 0;
    uint64_t written = 0;
    if (fromClip > 0) {
        written = output_->Write(playback_.Samples().data() + position_ * bytesPerFrame, fromClip);
    }
    if (written == fromClip && n > fromClip) {
        // Silence: zero bytes, but the middle value for unsigned 8-bit samples.
        const std::vector<uint8_t> silence(FrameBytes(n - fromClip, bytesPerFrame),
                                           playback_.format == SampleFormat::U8 ? uint8_t{0x80}
                                                                                : uint8_t{0});
        written += output_->Write(silence.data(), n - fromClip);
    }
    position_ += written;
    return written > 0;
}

void AudioWnd::RebuildClip() {
    playback_ = AudioClip{};
    const AudioHeader target = output_->Format();
    const LumoDocument* document = GetDocument();
    if (!document || target.format == SampleFormat::None || !HasSound(document->GetAudio())) {
        return;
    }
    playback_ = ConvertAudio(document->GetAudio(), target);
}

void AudioWnd::OnDocumentChange(Document*, uint32_t changes) {
    if (changes & ChangeBits::Audio) {
        Stop();
        RebuildClip();
    }
}

void AudioWnd::OnAttach() {
    Stop();
    RebuildClip();
}

void AudioWnd::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawText(QPoint(0, fontMetrics().ascent()), windowTitle());
}

} // namespace vel::lumo
