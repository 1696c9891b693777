#include "apps/lumo/audio/FiniteSamples.h"

#include <cmath>
#include <cstring>

namespace vel::lumo {

std::uint64_t SilenceNonFinite(SampleFormat format, std::uint8_t* data, std::size_t byteCount) {
    if (format != SampleFormat::F32) {
        return 0;
    }
    std::uint64_t silenced = 0;
    for (std::size_t offset = 0; byteCount - offset >= sizeof(float); offset += sizeof(float)) {
        float value;
        std::memcpy(&value, data + offset, sizeof value);
        if (!std::isfinite(value)) {
            constexpr float silence = 0.0f;
            std::memcpy(data + offset, &silence, sizeof silence);
            ++silenced;
        }
    }
    return silenced;
}

} // namespace vel::lumo
