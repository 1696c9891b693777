#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <cstdint>
#include <vector>

namespace vel::lumo {

// The document's clip as the video takes it (video::AudioRate, 16-bit,
// stereo), cut into one slice per document frame on the time base playback
// uses: frame f holds the sample frames from FirstSample(f) up to
// FirstSample(f + 1), so the slices follow each other without a gap and
// never drift from the pictures. Each slice is converted when it is asked
// for, so memory stays that of one slice whatever length the clip claims;
// where the clip has ended a slice is silence.
class ExportAudio {
public:
    // frameRate in frames per 1000 seconds; the clip must outlive this.
    ExportAudio(const AudioClip& clip, uint32_t frameRate);

    // Valid until the next call.
    AudioView Slice(uint32_t frame);

    // round(frame × video::AudioRate ÷ fps); 0 at the rate 0.
    static uint64_t FirstSample(uint64_t frame, uint32_t frameRate);

private:
    AudioView source_;
    uint64_t frames_;
    uint32_t frameRate_;
    std::vector<uint8_t> slice_;
};

} // namespace vel::lumo
