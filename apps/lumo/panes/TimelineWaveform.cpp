#include "apps/lumo/panes/TimelineWaveform.h"

#include "apps/lumo/audio/PeakEnvelope.h"
#include "apps/lumo/panes/TimelineGeometry.h"
#include "graphics/Frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace vel::lumo {

namespace {

constexpr graphics::Color Lavender{0xCCCCFF};

} // namespace

std::uint32_t TimelineWaveform::ValuesPerFrame(std::uint32_t channels) {
    return channels >= 4 ? 1 : 5 - channels;
}

void TimelineWaveform::Build(const AudioClip& clip, std::uint32_t frameRate) {
    *this = TimelineWaveform{};
    Finish(clip, frameRate);
}

void TimelineWaveform::Grow(const AudioView& readSoFar, std::uint32_t frameRate) {
    Take(readSoFar, frameRate, false);
}

void TimelineWaveform::Finish(const AudioClip& clip, std::uint32_t frameRate) {
    Take(clip, frameRate, true);
    source_ = clip.SamplesIdentity();
    sourceHeader_ = clip;
}

bool TimelineWaveform::IsOf(const AudioClip& clip, std::uint32_t frameRate) const {
    const auto source = source_.lock();
    return source && source == clip.SamplesIdentity().lock() &&
           sourceHeader_ == static_cast<const AudioHeader&>(clip) && frameRate_ == frameRate;
}

// With whole, the last block may be short.
void TimelineWaveform::Take(const AudioView& readSoFar, std::uint32_t frameRate, bool whole) {
    if (readSoFar.channels == 0 || readSoFar.sampleRate == 0 || frameRate == 0) {
        return;
    }
    if (block_ == 0) {
        frameRate_ = frameRate;
        const double block = std::floor(
            readSoFar.sampleRate / (frameRate / 1000.0) / ValuesPerFrame(readSoFar.channels) + 0.5);
        block_ = static_cast<std::uint64_t>(
            std::clamp<double>(block, 1, std::numeric_limits<std::int32_t>::max()));
    }
    const std::uint64_t available = readSoFar.FrameCount();
    const std::uint64_t end = whole ? available : available / block_ * block_;
    if (end > taken_) {
        const AudioClip peaks =
            PeakEnvelope(readSoFar.Slice(FrameBytes(taken_, readSoFar.bytesPerFrame),
                                         FrameBytes(end - taken_, readSoFar.bytesPerFrame)),
                         static_cast<std::int32_t>(block_));
        header_ = peaks;
        peaks_.insert(peaks_.end(), peaks.Samples().begin(), peaks.Samples().end());
        taken_ = end;
    }
}

AudioView TimelineWaveform::Envelope() const {
    AudioView view;
    static_cast<AudioHeader&>(view) = header_;
    view.data = peaks_.data();
    view.byteCount = peaks_.size();
    return view;
}

std::uint64_t TimelineWaveform::Frames() const {
    return header_.channels == 0 ? 0 : Envelope().FrameCount() / ValuesPerFrame(header_.channels);
}

void TimelineWaveform::Draw(graphics::Frame& frame, const TimelineGeometry& geometry) const {
    const AudioView envelope = Envelope();
    const std::uint32_t channels = envelope.channels;
    if (envelope.sampleRate == 0 || envelope.bytesPerFrame == 0 || channels == 0) {
        return;
    }
    const double spacing = frameRate_ / 1000.0 * geometry.frameWidth / envelope.sampleRate;
    const std::uint64_t count = envelope.FrameCount();
    const double first = std::max(std::ceil(geometry.hScroll / spacing), 0.0);
    if (!(spacing > 0) || first >= static_cast<double>(count)) {
        return;
    }
    const float top = frame.GetViewport().top;
    const float band = TimelineGeometry::AudioHeight / static_cast<float>(channels);
    frame.SetPen(Lavender, static_cast<float>(0.75 * spacing));
    for (auto i = static_cast<std::uint64_t>(first); i < count; ++i) {
        const auto x = static_cast<float>(static_cast<double>(i) * spacing - geometry.hScroll);
        if (x > geometry.ViewWidth()) {
            break;
        }
        for (std::uint32_t c = 0; c < channels; ++c) {
            const float centre = top + (static_cast<float>(c) + 0.5f) * band;
            float value = 0.0f;
            std::memcpy(&value, envelope.data + (i * channels + c) * sizeof value, sizeof value);
            const float reach = std::min(std::fabs(value), 1.0f) * band / 2;
            frame.DrawLine(graphics::PointF{x, centre - reach},
                           graphics::PointF{x, centre + reach});
        }
    }
}

} // namespace vel::lumo
