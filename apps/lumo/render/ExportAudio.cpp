#include "apps/lumo/render/ExportAudio.h"

#include "apps/lumo/audio/ConvertAudio.h"
#include "video/AudioFormat.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

const AudioHeader VideoAudio =
    AudioHeader::Make(video::AudioRate, SampleFormat::S16, video::AudioChannels);

} // namespace

ExportAudio::ExportAudio(const AudioClip& clip, uint32_t samplesPerFrame)
    : audio_(ConvertAudio(clip, VideoAudio)), samplesPerFrame_(samplesPerFrame),
      padded_(size_t{samplesPerFrame} * VideoAudio.bytesPerFrame) {}

AudioView ExportAudio::Slice(uint32_t frame) {
    const size_t length = size_t{samplesPerFrame_} * VideoAudio.bytesPerFrame;
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
    return static_cast<uint32_t>(std::floor(static_cast<float>(video::AudioRate) / fps + 0.5f));
}

} // namespace vel::lumo
