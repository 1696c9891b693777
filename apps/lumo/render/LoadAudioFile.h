#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/render/AudioFileError.h"
#include "apps/lumo/render/AvailableMemory.h"

#include <cstdint>
#include <string>

namespace vel::lumo {

// Reads a sound file for Load Audio: WAV as the program always has, and
// whatever else FFmpeg decodes (MP3, Ogg Vorbis, FLAC, M4A/AAC, Opus) at the
// file's rate and channel count. A file that is only partly readable gives
// what it holds. Throws AudioFileError when the file gives no sound at all,
// or when its clip would need more than memoryLimit bytes, which is known
// before most of it is decoded.
AudioClip LoadAudioFile(const std::string& fileName, std::uint64_t memoryLimit = AvailableMemory());

} // namespace vel::lumo
