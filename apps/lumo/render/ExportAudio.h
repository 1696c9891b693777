#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <cstdint>
#include <vector>

namespace vel::lumo {

// The document's clip as the video takes it (video::AudioRate, 16-bit, stereo), cut
// into one slice of samples-per-frame sample frames per document frame.
// Where the clip has ended a slice is silence, made on the fly rather than
// by lengthening the clip, whose length could otherwise reach terabytes.
class ExportAudio {
public:
    ExportAudio(const AudioClip& clip, uint32_t samplesPerFrame);

    // Valid until the next call.
    AudioView Slice(uint32_t frame);

private:
    AudioClip audio_;
    uint32_t samplesPerFrame_;
    std::vector<uint8_t> padded_;
};

// floor(44100 / fps + 0.5): 1471 at 29.97, 1470 at 30, 1764 at 25.
uint32_t SamplesPerFrame(float fps);

} // namespace vel::lumo
