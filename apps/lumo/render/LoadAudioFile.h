#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/render/AvailableMemory.h"
#include "video/AudioFileError.h"

#include <cstdint>
#include <functional>
#include <string>

namespace vel::lumo {

// Told, on the reading thread, as the file is read: the samples read so far
// (valid until the next call) and the part of the file read. Answers false
// to stop the reading, which then throws AudioLoadStopped.
using AudioLoadListener = std::function<bool(const AudioView& loaded, double partRead)>;

struct AudioLoadStopped {};

// Reads a sound file for Load Audio: WAV as the program always has, and
// whatever else FFmpeg decodes (MP3, Ogg Vorbis, FLAC, M4A/AAC, Opus) at the
// file's rate and channel count. A file that is only partly readable gives
// what it holds. Throws video::AudioFileError when the file gives no sound
// at all, or when its clip would need more than memoryLimit bytes, which is
// known before most of it is decoded.
AudioClip LoadAudioFile(const std::string& fileName, std::uint64_t memoryLimit = AvailableMemory(),
                        const AudioLoadListener& listener = {});

} // namespace vel::lumo
