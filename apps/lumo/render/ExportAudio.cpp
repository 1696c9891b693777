#include "apps/lumo/render/ExportAudio.h"

#include "apps/lumo/audio/ConvertAudio.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

ExportAudio::ExportAudio(const AudioClip& clip, uint32_t samplesPerFrame)
    : audio_(ConvertAudio(clip, AudioHeader::Make(44100, SampleFormat::S16, 2))),
      samplesPerFrame_(samplesPerFrame), padded_(size_t{samplesPerFrame} * BytesPerFrame) {}

AudioView ExportAudio::Slice(uint32_t frame) {
    const size_t length = size_t{samplesPerFrame_} * BytesPerFrame;
    AudioView slice = AudioView(audio_).Slice(size_t{frame} * length, length);
    if (slice.byteCount == length)
        return slice;
    // The clip ends inside or before this frame: the rest is silence.
    std::fill(std::copy_n(slice.data, slice.byteCount, padded_.begin()), padded_.end(), 0);
    slice = AudioView(audio_);
    slice.data = padded_.data();
    slice.byteCount = length;
    return slice;
}

uint32_t SamplesPerFrame(float fps) {
    return static_cast<uint32_t>(std::floor(44100.0f / fps + 0.5f));
}

} // namespace vel::lumo
