#include "apps/lumo/render/LoadAudioFile.h"

#include "apps/lumo/audio/FiniteSamples.h"
#include "apps/lumo/audio/WavReader.h"
#include "core/File.h"
#include "core/FileErrorText.h"
#include "video/AudioFileDecoder.h"

#include <filesystem>
#include <new>
#include <optional>
#include <stdexcept>
#include <utility>
#include <vector>

namespace vel::lumo {

namespace {

using video::AudioFileError;

// The rates a clip can be played and exported at; a WAV file stating another
// has a damaged header. Low rates are converted with bounded memory.
constexpr std::uint32_t LowestRate = 1;
constexpr std::uint32_t HighestRate = 384000;

// The WAV reader takes the file's samples as they stand, so a WAV file's
// size bounds its clip: one larger than memory is refused before reading.
void CheckWavSize(const std::string& fileName, std::uint64_t memoryLimit) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(fileName, error);
    if (!error && size > memoryLimit) {
        throw AudioFileError::TooLarge(size, memoryLimit);
    }
}

// The clip of a WAV file whose format the WAV reader takes; without samples
// when the file holds none.
AudioClip ReadWav(WavReader& wav, const AudioLoadListener& listener, std::uint64_t& silenced) {
    const AudioHeader& header = wav.Header();
    if (header.sampleRate < LowestRate || header.sampleRate > HighestRate) {
        throw AudioFileError::DamagedAt(wav.RateOffset());
    }
    std::optional<std::vector<std::uint8_t>> samples = wav.ReadSamples(listener);
    if (!samples) {
        throw AudioLoadStopped{};
    }
    silenced = wav.SilencedSamples();
    return AudioClip(header, std::move(*samples));
}

AudioHeader ClipHeader(const video::DecodedAudioFormat& format) {
    return AudioHeader::Make(
        format.sampleRate, format.isFloat ? SampleFormat::F32 : SampleFormat::S16, format.channels);
}

AudioClip Decode(const std::string& fileName, std::uint64_t memoryLimit,
                 const AudioLoadListener& listener, std::uint64_t& silenced) {
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
        const AudioHeader header = ClipHeader(decoded.format);
        silenced = SilenceNonFinite(header.format, decoded.samples.data(), decoded.samples.size());
        return AudioClip(header, std::move(decoded.samples));
    } catch (const video::DecodingStopped&) {
        throw AudioLoadStopped{};
    }
}

// WAV files that the WAV reader takes stay with it; every other file goes to
// the decoder.
AudioClip Load(const std::string& fileName, std::uint64_t memoryLimit,
               const AudioLoadListener& listener, std::uint64_t& silenced) {
    if (WavReader wav; wav.Open(fileName)) {
        CheckWavSize(fileName, memoryLimit);
        if (wav.IsAccepted()) {
            AudioClip clip = ReadWav(wav, listener, silenced);
            if (!clip.Samples().empty()) {
                return clip;
            }
        }
    }
    return Decode(fileName, memoryLimit, listener, silenced);
}

} // namespace

AudioClip LoadAudioFile(const std::string& fileName, std::uint64_t memoryLimit,
                        const AudioLoadListener& listener, std::uint64_t* silenced) {
    // The decoder would wait forever on a pipe: only regular files are read.
    if (core::File probe; !probe.Open(fileName, core::File::ReadAccess, core::File::OpenExisting)) {
        throw AudioFileError(core::FileErrorText(probe.Failure(), core::FileOperation::Reading));
    }
    std::uint64_t uncounted = 0;
    try {
        return Load(fileName, memoryLimit, listener, silenced ? *silenced : uncounted);
    } catch (const std::bad_alloc&) {
        throw AudioFileError::OutOfMemory();
    } catch (const std::length_error&) {
        throw AudioFileError::OutOfMemory();
    }
}

} // namespace vel::lumo
