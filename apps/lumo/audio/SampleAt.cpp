#include "apps/lumo/audio/SampleAt.h"

#include <cmath>

namespace vel::lumo {

float PackedSample(const std::uint8_t* bytes, std::uint32_t size, std::uint32_t validBits) {
    if (size < 2 || size > 4 || validBits == 0 || validBits > size * 8) {
        return 0.0f;
    }
    std::uint32_t word = 0;
    for (std::uint32_t i = 0; i < size; ++i) {
        word |= std::uint32_t{bytes[i]} << (8 * i);
    }
    word <<= 8 * (4 - size);
    const std::int32_t value = static_cast<std::int32_t>(word) >> (32 - validBits);
    return static_cast<float>(value * 2.0 / (std::ldexp(1.0, static_cast<int>(validBits)) - 1.0));
}

} // namespace vel::lumo
