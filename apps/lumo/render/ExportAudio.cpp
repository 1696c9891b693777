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
    : source_(clip), frames_(ConvertedFrames(source_, VideoAudio)), frameRate_(frameRate) {}

uint64_t ExportAudio::FirstSample(uint64_t frame, uint32_t frameRate) {
    if (frameRate == 0) {
        return 0;
    }
    // 2 × frame × 44,100,000 stays far below 2^64 for every 32-bit frame.
    constexpr uint64_t perThousandSeconds = uint64_t{video::AudioRate} * 1000;
    return (2 * frame * perThousandSeconds + frameRate) / (2 * uint64_t{frameRate});
}

AudioView ExportAudio::Slice(uint32_t frame) {
    const uint64_t first = FirstSample(frame, frameRate_);
    const uint64_t length = FirstSample(uint64_t{frame} + 1, frameRate_) - first;
    const uint64_t count = first < frames_ ? std::min(frames_ - first, length) : 0;
    slice_.resize(length * VideoAudio.bytesPerFrame);
    // Past the clip's end the slice is silence.
    std::fill(slice_.begin() + static_cast<ptrdiff_t>(count * VideoAudio.bytesPerFrame),
              slice_.end(), 0);
    ConvertAudioFrames(source_, VideoAudio, first, count, slice_.data());
    AudioView slice;
    static_cast<AudioHeader&>(slice) = VideoAudio;
    slice.data = slice_.data();
    slice.byteCount = slice_.size();
    return slice;
}

} // namespace vel::lumo
