#include "apps/lumo/audio/SampleAt.h"

#include <cmath>
#include <cstring>

namespace vel::lumo {

namespace {

// Packed little-endian integers of 2 to 4 bytes whose valid bits sit at the top.
float PackedSample(const std::uint8_t* bytes, std::uint32_t size, std::uint32_t validBits) {
    if (size < 2 || size > 4 || validBits == 0 || validBits > size * 8)
        return 0.0f;
    std::uint32_t word = 0;
    for (std::uint32_t i = 0; i < size; ++i)
        word |= std::uint32_t{bytes[i]} << (8 * i);
    word <<= 8 * (4 - size);
    const std::int32_t value = static_cast<std::int32_t>(word) >> (32 - validBits);
    return static_cast<float>(value * 2.0 / (std::ldexp(1.0, static_cast<int>(validBits)) - 1.0));
}

} // namespace

float SampleAt(const AudioView& view, std::size_t byteOffset) {
    const std::uint32_t size = BytesPerSample(view.format);
    if (byteOffset > view.byteCount || view.byteCount - byteOffset < size || size == 0)
        return 0.0f;
    const std::uint8_t* bytes = view.data + byteOffset;
    switch (view.format) {
    case SampleFormat::U8:
        return static_cast<float>(bytes[0] / 127.5 - 1.0);
    case SampleFormat::S16: {
        std::int16_t value;
        std::memcpy(&value, bytes, sizeof value);
        return static_cast<float>(value / 32767.5);
    }
    case SampleFormat::S32: {
        std::int32_t value;
        std::memcpy(&value, bytes, sizeof value);
        return std::ldexp(static_cast<float>(value), -31);
    }
    case SampleFormat::F32: {
        float value;
        std::memcpy(&value, bytes, sizeof value);
        return value;
    }
    default:
        return IsFloat(view.format) ? 0.0f : PackedSample(bytes, size, ValidBits(view.format));
    }
}

} // namespace vel::lumo
