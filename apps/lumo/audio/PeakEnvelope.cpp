#include "apps/lumo/audio/PeakEnvelope.h"

#include "apps/lumo/audio/SampleAt.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>
#include <vector>

namespace vel::lumo {

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

    const std::uint64_t sampleBytes = BytesPerSample(view.format);
    std::uint8_t* out = samples.data();
    for (std::uint64_t b = 0; b < blocks; ++b) {
        const std::uint64_t end = std::min(sourceFrames, (b + 1) * block);
        for (std::uint64_t c = 0; c < view.channels; ++c) {
            float peak = 0.0f;
            for (std::uint64_t frame = b * block; frame < end; ++frame) {
                peak = std::max(
                    peak, std::fabs(SampleAt(view, frame * view.bytesPerFrame + c * sampleBytes)));
            }
            std::memcpy(out, &peak, sizeof peak);
            out += sizeof peak;
        }
    }
    return AudioClip(header, std::move(samples));
}

} // namespace vel::lumo
