#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <string>

namespace vel::lumo {

// Reads a RIFF/WAVE file of PCM or 32-bit float samples. Never fails: a file that
// cannot be read gives the empty clip, one whose format is refused gives its
// header without samples. Float samples that are not finite read as silence.
AudioClip LoadWav(const std::string& fileName);

} // namespace vel::lumo
