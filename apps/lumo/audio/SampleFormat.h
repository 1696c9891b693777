#pragma once

#include <cstdint>

namespace vel::lumo {

// Describes one sample: valid bits in bits 0-7, bytes it occupies in bits 8-15,
// bit 31 for IEEE floating point. Codes other than the named ones occur (24-bit
// PCM is 0x318), so any 32-bit value may be held.
enum class SampleFormat : std::uint32_t {
    None = 0,
    U8 = 0x00000108,
    S16 = 0x00000210,
    S32 = 0x00000420,
    F32 = 0x80000420,
};

constexpr std::uint32_t ValidBits(SampleFormat format) {
    return static_cast<std::uint32_t>(format) & 0xFF;
}

constexpr std::uint32_t BytesPerSample(SampleFormat format) {
    return (static_cast<std::uint32_t>(format) >> 8) & 0xFF;
}

constexpr bool IsFloat(SampleFormat format) {
    return (static_cast<std::uint32_t>(format) & 0x80000000u) != 0;
}

constexpr SampleFormat IntegerFormat(std::uint32_t bytesPerSample, std::uint32_t validBits) {
    return static_cast<SampleFormat>(((bytesPerSample & 0xFF) << 8) | (validBits & 0xFF));
}

} // namespace vel::lumo
