#pragma once

#include "apps/lumo/audio/AudioClip.h"

#include <cstdint>
#include <optional>

namespace vel::lumo {

// The system's audio output as the audio pane feeds it: a buffer of sample
// frames in the output's own format that the output drains on its own.
class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    // The output's own format; format None when there is no usable output.
    virtual AudioHeader Format() const = 0;
    // Opens the output for writing; what is written from now on is played.
    virtual bool Start() = 0;
    // Stops at once and drops what is still queued.
    virtual void Stop() = 0;
    // The buffer's size and the part of it not queued, in sample frames.
    virtual std::uint64_t BufferFrames() const = 0;
    virtual std::uint64_t FreeFrames() const = 0;
    // Queues whole sample frames; answers how many were taken.
    virtual std::uint64_t Write(const std::uint8_t* data, std::uint64_t frames) = 0;
    // Seconds of sound that have left the output's buffer since the start,
    // less the delay before they are heard; nothing while the output cannot
    // tell (not started, failed).
    virtual std::optional<double> HeardSinceStart() const = 0;

protected:
    AudioOutput() = default;
    AudioOutput(const AudioOutput&) = default;
    AudioOutput& operator=(const AudioOutput&) = default;
};

} // namespace vel::lumo
