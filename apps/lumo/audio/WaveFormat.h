#pragma once

#include "apps/lumo/audio/SampleFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace vel::lumo {

// The body of a WAV file's "fmt " chunk in its 40-byte extensible layout. Shorter
// chunks leave the tail zero.
struct WaveFormat {
    static constexpr std::size_t RecordSize = 40;
    using Guid = std::array<std::uint8_t, 16>;

    std::uint16_t formatTag = 0;
    std::uint16_t channels = 0;
    std::uint32_t samplesPerSecond = 0;
    std::uint32_t averageBytesPerSecond = 0;
    std::uint16_t blockAlign = 0;
    std::uint16_t bitsPerSample = 0;
    std::uint16_t extraSize = 0;
    std::uint16_t validBitsPerSample = 0;
    std::uint32_t channelMask = 0;
    Guid subFormat{};

    static WaveFormat Parse(const std::array<std::uint8_t, RecordSize>& record);

    // Turns the plain PCM and float headers into their extensible form.
    void Normalise();
    // Whether the samples can be taken as they stand in the file.
    bool IsAccepted() const;
    // The format of the clip's samples; None for sub-formats other than PCM and float.
    SampleFormat ClipFormat() const;
};

} // namespace vel::lumo
