#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <functional>

namespace vel::lumo {

// Told, on the reading thread, as a sound file is read: the samples read so
// far (valid until the next call) and the part of the file read. Answers
// false to stop the reading.
using AudioLoadListener = std::function<bool(const AudioView& loaded, double partRead)>;

} // namespace vel::lumo
