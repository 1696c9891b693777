#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <cstddef>

namespace vel::lumo {

// The sample whose first byte is at byteOffset, normally in -1..1; 0.0 when the
// sample does not lie wholly inside the view or its format cannot be read.
float SampleAt(const AudioView& view, std::size_t byteOffset);

} // namespace vel::lumo
