#pragma once

#include "apps/lumo/audio/SampleFormat.h"

#include <bit>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace vel::lumo {

static_assert(std::endian::native == std::endian::little,
              "samples are little-endian and are read and written in place");

// What every clip and view shares. The defaults are the empty clip's header.
struct AudioHeader {
    std::uint32_t sampleRate = 1;
    SampleFormat format = SampleFormat::None;
    std::uint32_t channels = 1;
    std::uint64_t bytesPerFrame = 0;

    // A header whose bytes per sample frame follow from the format and channels.
    static AudioHeader Make(std::uint32_t sampleRate, SampleFormat format, std::uint32_t channels);

    bool operator==(const AudioHeader&) const = default;
};

// A clip: whole sample frames, channels interleaved, samples little-endian.
// The samples never change once made, so copies share them: a command, the
// history and an export's document copy all hold the same bytes.
class AudioClip : public AudioHeader {
public:
    AudioClip() = default;
    AudioClip(const AudioHeader& header, std::vector<std::uint8_t> samples);

    const std::vector<std::uint8_t>& Samples() const;
    // Tells these samples from all others for as long as they live, without
    // keeping them alive.
    std::weak_ptr<const std::vector<std::uint8_t>> SamplesIdentity() const { return samples_; }

    // Same header and same sample bytes.
    bool operator==(const AudioClip& other) const;

private:
    std::shared_ptr<const std::vector<std::uint8_t>> samples_;
};

// A non-owning slice of a clip; the clip must outlive it.
struct AudioView : AudioHeader {
    const std::uint8_t* data = nullptr;
    std::size_t byteCount = 0;

    AudioView() = default;
    AudioView(const AudioClip& clip); // all of the clip; implicit so clips pass as views

    std::uint64_t FrameCount() const;

    // The part from byteOffset on, at most byteCount bytes; empty (no pointer) when
    // the offset lies at or beyond the end.
    AudioView Slice(std::size_t byteOffset, std::size_t byteCount) const;
};

// Bytes of frames × bytesPerFrame; throws std::bad_alloc when that cannot exist.
std::size_t FrameBytes(std::uint64_t frames, std::uint64_t bytesPerFrame);

} // namespace vel::lumo
