#include "apps/lumo/audio/ConvertAudio.h"

#include "apps/lumo/audio/SampleAt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <utility>
#include <vector>

namespace vel::lumo {

namespace {

// Float samples may lie outside -1..1 (and may be NaN); integer targets clip them
// instead of wrapping around into loud noise.
template <typename Int> Int Clipped(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr float low = static_cast<float>(std::numeric_limits<Int>::min());
    constexpr float high = static_cast<float>(std::numeric_limits<Int>::max());
    // Compared against the limit's float, which for 32 bits is 2^31 and out of range.
    if (value >= high) {
        return std::numeric_limits<Int>::max();
    }
    if (value <= low) {
        return std::numeric_limits<Int>::min();
    }
    return static_cast<Int>(value);
}

template <typename T> void Store(std::uint8_t* out, T value) {
    std::memcpy(out, &value, sizeof value);
}

void StoreSample(std::uint8_t* out, SampleFormat format, float v) {
    switch (format) {
    case SampleFormat::U8:
        Store(out, Clipped<std::uint8_t>((v + 1.0f) * 127.5f));
        break;
    case SampleFormat::S16:
        Store(out, Clipped<std::int16_t>(v * 32767.0f));
        break;
    case SampleFormat::S32:
        Store(out, Clipped<std::int32_t>(v * 2147483647.0f));
        break;
    case SampleFormat::F32:
        Store(out, v);
        break;
    default:
        break;
    }
}

bool SameLayout(const AudioHeader& a, const AudioHeader& b) {
    return a.sampleRate == b.sampleRate && a.format == b.format && a.channels == b.channels;
}

// floor(frames × to / from) without overflowing on the way.
std::uint64_t ResampledFrames(std::uint64_t frames, std::uint32_t from, std::uint32_t to) {
    const std::uint64_t whole = frames / from;
    if (whole > std::numeric_limits<std::uint64_t>::max() / to) {
        throw std::bad_alloc();
    }
    return whole * to + (frames % from) * to / from;
}

} // namespace

std::uint64_t ConvertedFrames(const AudioView& view, const AudioHeader& target) {
    if (SameLayout(view, target)) {
        return view.FrameCount();
    }
    // Without a rate on either side there is no length in time: nothing to play.
    if (view.sampleRate == 0 || target.sampleRate == 0) {
        return 0;
    }
    return ResampledFrames(view.FrameCount(), view.sampleRate, target.sampleRate);
}

void ConvertAudioFrames(const AudioView& view, const AudioHeader& target, std::uint64_t first,
                        std::uint64_t count, std::uint8_t* out) {
    if (count == 0) {
        return;
    }
    if (SameLayout(view, target)) {
        std::memcpy(out, view.data + first * view.bytesPerFrame, count * view.bytesPerFrame);
        return;
    }
    const std::uint32_t sampleBytes = BytesPerSample(target.format);
    const std::uint64_t channels =
        sampleBytes == 0
            ? 0
            : std::min<std::uint64_t>(target.channels, target.bytesPerFrame / sampleBytes);
    const std::uint64_t sourceSampleBytes = BytesPerSample(view.format);
    // The source position advances by exactly from/to frames per output frame, kept
    // as a whole index and a remainder so that long clips do not drift. Frame
    // first starts at first × from / to, split so that the product cannot overflow.
    const std::uint64_t from = view.sampleRate;
    const std::uint64_t to = target.sampleRate;
    const std::uint64_t wholeStep = from / to;
    const std::uint64_t partStep = from % to;
    const double toFraction = 1.0 / static_cast<double>(to);
    std::uint64_t index = first / to * from + first % to * from / to;
    std::uint64_t remainder = first % to * from % to;
    for (std::uint64_t i = 0; i < count && channels != 0; ++i) {
        const auto f = static_cast<float>(static_cast<double>(remainder) * toFraction);
        const std::uint64_t frameOffset = index * view.bytesPerFrame;
        for (std::uint64_t c = 0; c < channels; ++c) {
            const std::uint64_t source = c < view.channels ? c : 0;
            const std::uint64_t offset = frameOffset + source * sourceSampleBytes;
            const float s0 = SampleAt(view, offset);
            // On a source frame the next one plays no part (nor can a NaN or infinity in it).
            const float v = remainder == 0
                                ? s0
                                : SampleAt(view, offset + view.bytesPerFrame) * f + s0 * (1.0f - f);
            StoreSample(out + i * target.bytesPerFrame + c * sampleBytes, target.format, v);
        }
        index += wholeStep;
        remainder += partStep;
        if (remainder >= to) {
            remainder -= to;
            ++index;
        }
    }
}

AudioClip ConvertAudio(const AudioView& view, const AudioHeader& target) {
    const std::uint64_t frames = ConvertedFrames(view, target);
    std::vector<std::uint8_t> samples(FrameBytes(frames, target.bytesPerFrame), 0);
    ConvertAudioFrames(view, target, 0, frames, samples.data());
    return AudioClip(target, std::move(samples));
}

AudioClip ConvertAudio(const AudioClip& clip, const AudioHeader& target) {
    if (!SameLayout(clip, target)) {
        return ConvertAudio(AudioView(clip), target);
    }
    AudioClip shared = clip;
    static_cast<AudioHeader&>(shared) = target;
    return shared;
}

} // namespace vel::lumo
