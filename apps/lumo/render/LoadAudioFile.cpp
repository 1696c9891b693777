#include "apps/lumo/render/LoadAudioFile.h"

#include "apps/lumo/audio/LoadWav.h"
#include "apps/lumo/audio/RiffReader.h"
#include "apps/lumo/render/AudioFileDecoder.h"
#include "core/File.h"
#include "core/FileErrorText.h"

#include <filesystem>
#include <new>
#include <stdexcept>

namespace vel::lumo {

namespace {

// The WAV reader takes the file's samples as they stand, so a WAV file's
// size bounds its clip: one larger than memory is refused before reading.
void CheckWavSize(const std::string& fileName, std::uint64_t memoryLimit) {
    RiffReader riff;
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    if (!error && size > memoryLimit && riff.Open(fileName) &&
        riff.FindRiff(serializer::ChunkId("WAVE"))) {
        throw AudioFileError::TooLarge(size, memoryLimit);
    }
}

} // namespace

AudioClip LoadAudioFile(const std::string& fileName, std::uint64_t memoryLimit) {
    // The decoder would wait forever on a pipe: only regular files are read.
    if (core::File probe; !probe.Open(fileName, core::File::ReadAccess, core::File::OpenExisting)) {
        throw AudioFileError(core::FileErrorText(probe.Failure(), core::FileOperation::Reading));
    }
    try {
        CheckWavSize(fileName, memoryLimit);
        AudioClip wav = LoadWav(fileName);
        if (!wav.Samples().empty()) {
            return wav;
        }
        av_log_set_level(AV_LOG_ERROR);
        return AudioFileDecoder(memoryLimit).Run(fileName);
    } catch (const std::bad_alloc&) {
        throw AudioFileError("there is not enough memory for its sound");
    } catch (const std::length_error&) {
        throw AudioFileError("there is not enough memory for its sound");
    }
}

} // namespace vel::lumo
