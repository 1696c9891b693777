#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/audio/AudioLoadListener.h"
#include "apps/lumo/render/AvailableMemory.h"
#include "video/AudioFileError.h"

#include <cstdint>
#include <string>

namespace vel::lumo {

// Thrown out of LoadAudioFile when its listener answered false.
struct AudioLoadStopped {};

// Reads a sound file for Load Audio: WAV as the program always has, in pieces
// that the listener follows, and whatever else FFmpeg decodes (MP3, Ogg
// Vorbis, FLAC, M4A/AAC, Opus) at the file's rate and channel count. A file
// that is only partly readable gives what it holds. Float samples that are
// not finite become silence; silenced, when given, counts them. Throws
// video::AudioFileError when the file gives no sound at all, when a WAV
// file states a rate that cannot be played, or when its clip would need more
// than memoryLimit bytes, which is known before most of it is decoded.
AudioClip LoadAudioFile(const std::string& fileName, std::uint64_t memoryLimit = AvailableMemory(),
                        const AudioLoadListener& listener = {}, std::uint64_t* silenced = nullptr);

} // namespace vel::lumo
