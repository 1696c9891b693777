#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <string>

namespace vel::lumo {

// Reads a sound file for Load Audio: WAV as the program always has, and
// whatever else FFmpeg decodes (MP3, Ogg Vorbis, FLAC, M4A/AAC, Opus) into a
// 16-bit or float clip at the file's rate and channel count. Never fails: a
// file nobody can decode gives what LoadWav gives for it, the empty clip or
// a header without samples.
AudioClip LoadAudioFile(const std::string& fileName);

} // namespace vel::lumo
