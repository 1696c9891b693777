#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <cstdint>

namespace vel::graphics {
class Frame;
}

namespace vel::lumo {

class TimelineGeometry;

// The timeline's copy of the document's clip: a peak envelope with a few
// values per video frame and channel, so that drawing never touches the
// samples.
class TimelineWaveform {
public:
    // 4 values per frame for mono, 3 for stereo, down to 1 from four channels.
    static std::uint32_t ValuesPerFrame(std::uint32_t channels);

    // A clip without channels or without a rate, or a document without a
    // frame rate, leaves no waveform.
    void Build(const AudioView& clip, std::uint32_t frameRate);
    const AudioClip& Envelope() const { return envelope_; }

    // Lavender bars centred on each channel's line of the audio strip.
    void Draw(graphics::Frame& frame, const TimelineGeometry& geometry) const;

private:
    AudioClip envelope_;
    double framesPerSecond_ = 0.0;
};

} // namespace vel::lumo
