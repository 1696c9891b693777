#pragma once

#include "apps/lumo/audio/AudioClip.h"

namespace vel::lumo {

// The view resampled (linear interpolation) and mapped onto the target's rate,
// format and channels; target channels beyond the source's take its channel 0.
AudioClip ConvertAudio(const AudioView& view, const AudioHeader& target);
// The same for a whole clip, which shares its samples when it already has the
// target's rate, format and channels.
AudioClip ConvertAudio(const AudioClip& clip, const AudioHeader& target);

} // namespace vel::lumo
