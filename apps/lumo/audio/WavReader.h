#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/audio/AudioLoadListener.h"
#include "apps/lumo/audio/RiffReader.h"
#include "apps/lumo/audio/WaveFormat.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vel::lumo {

// A RIFF/WAVE file read as LoadWav reads it: first its format, then its
// samples piece by piece, so that a listener can follow them as they arrive
// and stop the reading between two pieces.
class WavReader {
public:
    // Opens the file and reads its format; false when the file cannot be
    // read or holds no RIFF form of type "WAVE".
    bool Open(const std::string& fileName);

    // The clip's header as the format gives it, accepted or not.
    const AudioHeader& Header() const { return header_; }
    // Whether the samples can be taken as they stand in the file.
    bool IsAccepted() const { return format_.IsAccepted(); }
    // Where in the file the sample rate is written.
    std::uint64_t RateOffset() const { return rateOffset_; }

    // The whole sample frames of the "data" chunk after the format, as far as
    // the file holds them; none when there is no such chunk or a read fails.
    // Float samples that are not finite read as silence. The listener is told
    // after each piece; nullopt when it answered false.
    std::optional<std::vector<std::uint8_t>> ReadSamples(const AudioLoadListener& listener);
    // The samples ReadSamples turned into silence.
    std::uint64_t SilencedSamples() const { return silenced_; }

private:
    void ReadFormat();

    RiffReader riff_;
    WaveFormat format_;
    AudioHeader header_;
    std::uint64_t rateOffset_ = 0;
    std::uint64_t silenced_ = 0;
};

} // namespace vel::lumo
