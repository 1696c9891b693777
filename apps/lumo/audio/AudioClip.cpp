#include "apps/lumo/audio/AudioClip.h"

#include <algorithm>
#include <limits>
#include <new>
#include <utility>

namespace vel::lumo {

AudioHeader AudioHeader::Make(std::uint32_t sampleRate, SampleFormat format,
                              std::uint32_t channels) {
    return {sampleRate, format, channels, std::uint64_t{BytesPerSample(format)} * channels};
}

AudioClip::AudioClip(const AudioHeader& header, std::vector<std::uint8_t> samples)
    : AudioHeader(header),
      samples_(std::make_shared<const std::vector<std::uint8_t>>(std::move(samples))) {}

const std::vector<std::uint8_t>& AudioClip::Samples() const {
    static const std::vector<std::uint8_t> none;
    return samples_ ? *samples_ : none;
}

bool AudioClip::operator==(const AudioClip& other) const {
    return static_cast<const AudioHeader&>(*this) == other && Samples() == other.Samples();
}

AudioView::AudioView(const AudioClip& clip)
    : AudioHeader(clip), data(clip.Samples().data()), byteCount(clip.Samples().size()) {}

std::uint64_t AudioView::FrameCount() const {
    return bytesPerFrame == 0 ? 0 : byteCount / bytesPerFrame;
}

AudioView AudioView::Slice(std::size_t byteOffset, std::size_t count) const {
    AudioView part;
    static_cast<AudioHeader&>(part) = *this;
    if (byteOffset < byteCount) {
        part.data = data + byteOffset;
        part.byteCount = std::min(count, byteCount - byteOffset);
    }
    return part;
}

std::size_t FrameBytes(std::uint64_t frames, std::uint64_t bytesPerFrame) {
    constexpr std::uint64_t limit = std::numeric_limits<std::size_t>::max();
    if (bytesPerFrame != 0 && frames > limit / bytesPerFrame) {
        throw std::bad_alloc();
    }
    return static_cast<std::size_t>(frames * bytesPerFrame);
}

} // namespace vel::lumo
