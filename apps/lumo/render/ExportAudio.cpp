#include "apps/lumo/render/ExportAudio.h"

#include "apps/lumo/audio/ConvertAudio.h"
#include "video/AudioFormat.h"

#include <algorithm>

namespace vel::lumo {

namespace {

const AudioHeader VideoAudio =
    AudioHeader::Make(video::AudioRate, SampleFormat::S16, video::AudioChannels);

} // namespace

ExportAudio::ExportAudio(const AudioClip& clip, uint32_t frameRate)
    : audio_(ConvertAudio(clip, VideoAudio)), frameRate_(frameRate) {}

uint64_t ExportAudio::FirstSample(uint64_t frame, uint32_t frameRate) {
    if (frameRate == 0)
        return 0;
    // 2 × frame × 44,100,000 stays far below 2^64 for every 32-bit frame.
    constexpr uint64_t perThousandSeconds = uint64_t{video::AudioRate} * 1000;
    return (2 * frame * perThousandSeconds + frameRate) / (2 * uint64_t{frameRate});
}

AudioView ExportAudio::Slice(uint32_t frame) {
    const uint64_t first = FirstSample(frame, frameRate_);
    const size_t length =
        (FirstSample(uint64_t{frame} + 1, frameRate_) - first) * VideoAudio.bytesPerFrame;
    AudioView slice = AudioView(audio_).Slice(first * VideoAudio.bytesPerFrame, length);
    if (slice.byteCount == length)
        return slice;
    // The clip ends inside or before this frame: the rest is silence.
    padded_.resize(length);
    std::fill(std::copy_n(slice.data, slice.byteCount, padded_.begin()), padded_.end(), 0);
    slice = AudioView(audio_);
    slice.data = padded_.data();
    slice.byteCount = length;
    return slice;
}

} // namespace vel::lumo
