#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vel::video {

// The form AudioFileDecoder gives its samples in: interleaved, little-endian,
// 16-bit integers or 32-bit floats.
struct DecodedAudioFormat {
    std::uint32_t sampleRate = 0;
    std::uint32_t channels = 0;
    bool isFloat = false;

    std::uint32_t BytesPerFrame() const { return channels * (isFloat ? 4 : 2); }
};

// Samples being decoded, seen in place.
struct DecodedAudioView {
    DecodedAudioFormat format;
    const std::uint8_t* data = nullptr;
    std::size_t byteCount = 0;
};

struct DecodedAudio {
    DecodedAudioFormat format;
    std::vector<std::uint8_t> samples;
};

} // namespace vel::video
