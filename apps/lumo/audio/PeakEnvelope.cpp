#include "apps/lumo/audio/PeakEnvelope.h"

#include "apps/lumo/audio/SampleAt.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

namespace vel::lumo {

namespace {

// The peak of one channel over frames [first, end).
float Peak(const AudioView& view, std::uint64_t first, std::uint64_t end, std::uint64_t channel) {
    const std::uint64_t sampleBytes = BytesPerSample(view.format);
    if (view.format == SampleFormat::S16 && view.bytesPerFrame >= view.channels * sampleBytes) {
        // The common case, compared as integers and converted once: the
        // conversion keeps the order, so the peak is the same.
        int peak = 0;
        const std::uint8_t* bytes = view.data + first * view.bytesPerFrame + channel * sampleBytes;
        for (std::uint64_t frame = first; frame < end; ++frame, bytes += view.bytesPerFrame) {
            std::int16_t value;
            std::memcpy(&value, bytes, sizeof value);
            peak = std::max(peak, std::abs(int{value}));
        }
        return static_cast<float>(peak / 32767.5);
    }
    float peak = 0.0f;
    for (std::uint64_t frame = first; frame < end; ++frame) {
        peak = std::max(
            peak, std::fabs(SampleAt(view, frame * view.bytesPerFrame + channel * sampleBytes)));
    }
    return peak;
}

} // namespace

AudioClip PeakEnvelope(const AudioView& view, std::int32_t blockLength) {
    if (blockLength < 1) {
        return {};
    }
    const auto block = static_cast<std::uint64_t>(blockLength);
    const std::uint64_t sourceFrames = view.FrameCount();
    const std::uint64_t blocks = (sourceFrames + block - 1) / block;
    const AudioHeader header =
        AudioHeader::Make(view.sampleRate / static_cast<std::uint32_t>(blockLength),
                          SampleFormat::F32, view.channels);
    std::vector<std::uint8_t> samples(FrameBytes(blocks, header.bytesPerFrame), 0);

    std::uint8_t* out = samples.data();
    for (std::uint64_t b = 0; b < blocks; ++b) {
        const std::uint64_t end = std::min(sourceFrames, (b + 1) * block);
        for (std::uint64_t c = 0; c < view.channels; ++c) {
            const float peak = Peak(view, b * block, end, c);
            std::memcpy(out, &peak, sizeof peak);
            out += sizeof peak;
        }
    }
    return AudioClip(header, std::move(samples));
}

} // namespace vel::lumo
