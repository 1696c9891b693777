#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <cstdint>
#include <vector>

namespace vel::lumo {

// The document's clip as the video takes it (video::AudioRate, 16-bit,
// stereo), cut into one slice per document frame on the time base playback
// uses: frame f holds the sample frames from FirstSample(f) up to
// FirstSample(f + 1), so the slices follow each other without a gap and
// never drift from the pictures. Where the clip has ended a slice is
// silence, made on the fly rather than by lengthening the clip, whose length
// could otherwise reach terabytes.
class ExportAudio {
public:
    // frameRate in frames per 1000 seconds.
    ExportAudio(const AudioClip& clip, uint32_t frameRate);

    // Valid until the next call.
    AudioView Slice(uint32_t frame);

    // round(frame × video::AudioRate ÷ fps); 0 at the rate 0.
    static uint64_t FirstSample(uint64_t frame, uint32_t frameRate);

private:
    AudioClip audio_;
    uint32_t frameRate_;
    std::vector<uint8_t> padded_;
};

} // namespace vel::lumo
