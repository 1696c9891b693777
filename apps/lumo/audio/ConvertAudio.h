#pragma once

#include "apps/lumo/audio/AudioClip.h"

namespace vel::lumo {

// The view resampled (linear interpolation) and mapped onto the target's rate,
// format and channels; target channels beyond the source's take its channel 0.
AudioClip ConvertAudio(const AudioView& view, const AudioHeader& target);
// The same for a whole clip, which shares its samples when it already has the
// target's rate, format and channels.
AudioClip ConvertAudio(const AudioClip& clip, const AudioHeader& target);

// The number of sample frames ConvertAudio makes of the view.
std::uint64_t ConvertedFrames(const AudioView& view, const AudioHeader& target);

// Sample frames [first, first + count) of what ConvertAudio makes, the same
// bytes, written to out (count × target.bytesPerFrame bytes) without
// converting the rest of the clip. The range must lie within
// ConvertedFrames.
void ConvertAudioFrames(const AudioView& view, const AudioHeader& target, std::uint64_t first,
                        std::uint64_t count, std::uint8_t* out);

} // namespace vel::lumo
