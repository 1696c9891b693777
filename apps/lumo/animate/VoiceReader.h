#pragma once

#include "apps/lumo/animate/AnimateInput.h"

#include <cstdint>
#include <vector>

namespace vel::lumo {

// A part of the voice, mono at the rate the recogniser hears.
struct VoiceSamples {
    static constexpr std::uint32_t Rate = 16000;

    std::vector<std::int16_t> samples;
    // Where the samples start, in seconds from the clip's start.
    double startSeconds = 0.0;
};

// The clip's part under a frame range, converted a piece at a time from the
// clip's own bytes, so that no length or rate of the clip ever needs the whole
// range converted at once.
class VoiceReader {
public:
    explicit VoiceReader(const AnimateInput& input);

    // Samples at VoiceSamples::Rate under the range.
    std::uint64_t Size() const { return end_ - first_; }
    // Where the range's samples start, in seconds from the clip's start.
    double StartSeconds() const { return static_cast<double>(first_) / VoiceSamples::Rate; }
    // The range's samples [from, from + count), cut at the range's end.
    VoiceSamples Read(std::uint64_t from, std::uint64_t count) const;

private:
    AudioView view_;
    std::uint64_t first_ = 0;
    std::uint64_t end_ = 0;
};

} // namespace vel::lumo
