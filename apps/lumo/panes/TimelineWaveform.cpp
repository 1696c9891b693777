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

void TimelineWaveform::Build(const AudioView& clip, std::uint32_t frameRate) {
    envelope_ = AudioClip{};
    framesPerSecond_ = frameRate / 1000.0;
    if (clip.channels == 0 || clip.sampleRate == 0 || frameRate == 0 || clip.FrameCount() == 0) {
        return;
    }
    const double block =
        std::floor(clip.sampleRate / framesPerSecond_ / ValuesPerFrame(clip.channels) + 0.5);
    envelope_ = PeakEnvelope(clip, static_cast<std::int32_t>(std::clamp<double>(
                                       block, 1, std::numeric_limits<std::int32_t>::max())));
}

void TimelineWaveform::Draw(graphics::Frame& frame, const TimelineGeometry& geometry) const {
    const std::uint32_t channels = envelope_.channels;
    if (envelope_.sampleRate == 0 || envelope_.bytesPerFrame == 0 || channels == 0) {
        return;
    }
    const double spacing = framesPerSecond_ * geometry.frameWidth / envelope_.sampleRate;
    const std::uint64_t count = AudioView(envelope_).FrameCount();
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
            std::memcpy(&value, envelope_.Samples().data() + (i * channels + c) * sizeof value,
                        sizeof value);
            const float reach = std::min(std::fabs(value), 1.0f) * band / 2;
            frame.DrawLine(graphics::PointF{x, centre - reach},
                           graphics::PointF{x, centre + reach});
        }
    }
}

} // namespace vel::lumo
