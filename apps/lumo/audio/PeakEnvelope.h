#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <cstdint>

namespace vel::lumo {

// One F32 frame per block of blockLength source frames: per channel, the largest
// absolute sample of the block. The empty clip when blockLength is below 1.
AudioClip PeakEnvelope(const AudioView& view, std::int32_t blockLength);

} // namespace vel::lumo
