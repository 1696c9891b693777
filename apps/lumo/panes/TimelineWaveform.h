#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace vel::graphics {
class Frame;
}

namespace vel::lumo {

class TimelineGeometry;

// The timeline's copy of the document's clip: a peak envelope with a few
// values per video frame and channel, so that drawing never touches the
// samples. It can be built while the clip is still being read, and away from
// the window's thread.
class TimelineWaveform {
public:
    // 4 values per frame for mono, 3 for stereo, down to 1 from four channels.
    static std::uint32_t ValuesPerFrame(std::uint32_t channels);

    // A clip without channels or without a rate, or a document without a
    // frame rate, leaves no waveform.
    void Build(const AudioClip& clip, std::uint32_t frameRate);
    // Takes in the samples read so far of a clip being read, beginning with
    // those taken in before.
    void Grow(const AudioView& readSoFar, std::uint32_t frameRate);
    // Takes in the rest of the clip once it is whole; the waveform is then
    // the one Build makes of it.
    void Finish(const AudioClip& clip, std::uint32_t frameRate);
    // Whether this is the waveform Build makes of that clip at that rate.
    bool IsOf(const AudioClip& clip, std::uint32_t frameRate) const;
    // The peaks, one float frame per block.
    AudioView Envelope() const;
    // The video frames it covers.
    std::uint64_t Frames() const;

    // Lavender bars centred on each channel's line of the audio strip.
    void Draw(graphics::Frame& frame, const TimelineGeometry& geometry) const;

private:
    void Take(const AudioView& readSoFar, std::uint32_t frameRate, bool whole);

    AudioHeader header_;
    std::vector<std::uint8_t> peaks_;
    std::uint32_t frameRate_ = 0;
    std::uint64_t block_ = 0;
    // Source frames taken in so far.
    std::uint64_t taken_ = 0;
    // The finished clip, only to recognise it.
    std::weak_ptr<const std::vector<std::uint8_t>> source_;
    AudioHeader sourceHeader_;
};

} // namespace vel::lumo
