#include "apps/lumo/render/LoadAudioFile.h"

#include "apps/lumo/audio/LoadWav.h"
#include "apps/lumo/audio/RiffReader.h"
#include "core/File.h"
#include "core/FileErrorText.h"
#include "video/AudioFileDecoder.h"

#include <filesystem>
#include <new>
#include <stdexcept>

namespace vel::lumo {

namespace {

using video::AudioFileError;

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

AudioHeader ClipHeader(const video::DecodedAudioFormat& format) {
    return AudioHeader::Make(
        format.sampleRate, format.isFloat ? SampleFormat::F32 : SampleFormat::S16, format.channels);
}

AudioClip Decode(const std::string& fileName, std::uint64_t memoryLimit,
                 const AudioLoadListener& listener) {
    video::AudioFileDecoder::Listener told;
    if (listener) {
        told = [&listener](const video::DecodedAudioView& decoded, double partRead) {
            AudioView view;
            static_cast<AudioHeader&>(view) = ClipHeader(decoded.format);
            view.data = decoded.data;
            view.byteCount = decoded.byteCount;
            return listener(view, partRead);
        };
    }
    try {
        video::DecodedAudio decoded = video::AudioFileDecoder(memoryLimit, told).Run(fileName);
        return AudioClip(ClipHeader(decoded.format), std::move(decoded.samples));
    } catch (const video::DecodingStopped&) {
        throw AudioLoadStopped{};
    }
}

} // namespace

AudioClip LoadAudioFile(const std::string& fileName, std::uint64_t memoryLimit,
                        const AudioLoadListener& listener) {
    // The decoder would wait forever on a pipe: only regular files are read.
    if (core::File probe; !probe.Open(fileName, core::File::ReadAccess, core::File::OpenExisting)) {
        throw AudioFileError(core::FileErrorText(probe.Failure(), core::FileOperation::Reading));
    }
    try {
        CheckWavSize(fileName, memoryLimit);
        AudioClip wav = LoadWav(fileName);
        if (wav.Samples().empty()) {
            return Decode(fileName, memoryLimit, listener);
        }
        if (listener && !listener(wav, 1.0)) {
            throw AudioLoadStopped{};
        }
        return wav;
    } catch (const std::bad_alloc&) {
        throw AudioFileError::OutOfMemory();
    } catch (const std::length_error&) {
        throw AudioFileError::OutOfMemory();
    }
}

} // namespace vel::lumo
