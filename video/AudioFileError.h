#pragma once

#include "core/UserFailure.h"

#include <cstdint>
#include <string>

namespace vel::video {

// Why Load Audio takes nothing from a file, in words for the user: "not a
// sound file", "no sound stream", "damaged at byte 1200".
class AudioFileError : public core::UserFailure {
public:
    explicit AudioFileError(const std::string& reason) : core::UserFailure(reason) {}

    // A clip of at least clipBytes that memory cannot hold.
    static AudioFileError TooLarge(std::uint64_t clipBytes, std::uint64_t availableBytes);
    // The file cannot be read from that byte on, or its header there states
    // what cannot be.
    static AudioFileError DamagedAt(std::uint64_t byte) {
        return AudioFileError("damaged at byte " + std::to_string(byte));
    }
    // Memory ran out while the sound was read.
    static AudioFileError OutOfMemory() {
        return AudioFileError("there is not enough memory for its sound");
    }
};

} // namespace vel::video
