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

// Small enough that the pane's memory stays flat, large enough that a second
// of sound goes out in a few writes.
constexpr uint64_t PieceFrames = 8192;

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
    if (frames_ == 0 || !(framesPerSecond > 0) || !output_->Start()) {
        return false;
    }
    position_ = static_cast<uint64_t>(
        std::floor(frame * static_cast<double>(target_.sampleRate) / framesPerSecond + 0.5));
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
    const double rate = target_.sampleRate;
    const double queued = static_cast<double>(position_ - startPosition_) / rate;
    return static_cast<double>(startPosition_) / rate + std::clamp(*heard, 0.0, queued);
}

template <typename Make> uint64_t AudioWnd::Queue(uint64_t count, Make make) {
    uint64_t written = 0;
    while (written < count) {
        const uint64_t piece = std::min(count - written, PieceFrames);
        piece_.resize(FrameBytes(piece, target_.bytesPerFrame));
        make(written, piece, piece_.data());
        const uint64_t taken = output_->Write(piece_.data(), piece);
        written += taken;
        if (taken < piece) {
            break;
        }
    }
    return written;
}

bool AudioWnd::Fill(uint64_t n) {
    const uint64_t start = position_;
    const uint64_t fromClip = start < frames_ ? std::min(n, frames_ - start) : 0;
    uint64_t written = Queue(fromClip, [&](uint64_t first, uint64_t count, uint8_t* out) {
        ConvertAudioFrames(source_, target_, start + first, count, out);
    });
    if (written == fromClip && n > fromClip) {
        // Silence: zero bytes, but the middle value for unsigned 8-bit samples.
        const uint8_t silence = target_.format == SampleFormat::U8 ? 0x80 : 0;
        written += Queue(n - fromClip, [&](uint64_t, uint64_t count, uint8_t* out) {
            std::fill_n(out, count * target_.bytesPerFrame, silence);
        });
    }
    position_ += written;
    return written > 0;
}

// Nothing is converted here: a clip of a few samples a second would take
// gigabytes at the output's rate.
void AudioWnd::RebuildClip() {
    source_ = AudioClip{};
    target_ = AudioHeader{};
    frames_ = 0;
    const AudioHeader target = output_->Format();
    const LumoDocument* document = GetDocument();
    // A clip without channels has no sound, whatever its other fields say.
    if (!document || target.format == SampleFormat::None || document->GetAudio().channels == 0) {
        return;
    }
    source_ = document->GetAudio();
    target_ = target;
    frames_ = ConvertedFrames(source_, target_);
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
