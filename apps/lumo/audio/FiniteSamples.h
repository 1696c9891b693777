#pragma once

#include "apps/lumo/audio/SampleFormat.h"

#include <cstddef>
#include <cstdint>

namespace vel::lumo {

// Float samples that are not numbers or are infinite would play and export as
// full-scale noise: they become silence. Answers how many there were; samples
// of other formats are left as they are.
std::uint64_t SilenceNonFinite(SampleFormat format, std::uint8_t* data, std::size_t byteCount);

} // namespace vel::lumo
