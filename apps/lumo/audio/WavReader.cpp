#include "apps/lumo/audio/WavReader.h"

#include "apps/lumo/audio/FiniteSamples.h"

#include <algorithm>
#include <array>

namespace vel::lumo {

namespace {

// Small enough that a listener asking to stop is heard at once even from a
// slow disk; large enough that a long file takes few calls.
constexpr std::uint64_t PieceBytes = std::uint64_t{1} << 20;
// The sample rate's place in the body of "fmt ".
constexpr std::uint64_t RateFieldOffset = 4;
constexpr std::uint32_t ShortestFormat = 16;

} // namespace

bool WavReader::Open(const std::string& fileName) {
    if (!riff_.Open(fileName) || !riff_.FindRiff(serializer::ChunkId("WAVE"))) {
        return false;
    }
    ReadFormat();
    format_.Normalise();
    header_ = AudioHeader::Make(format_.samplesPerSecond, format_.ClipFormat(), format_.channels);
    return true;
}

// A missing, short or cut-off "fmt " chunk leaves the record all zero.
void WavReader::ReadFormat() {
    std::array<std::uint8_t, WaveFormat::RecordSize> record{};
    if (const auto chunk = riff_.FindChunk(serializer::ChunkId("fmt "))) {
        if (chunk->size >= ShortestFormat) {
            const std::size_t wanted = std::min<std::size_t>(chunk->size, record.size());
            if (riff_.Read(record.data(), wanted) != wanted) {
                record.fill(0);
            }
        }
        rateOffset_ = chunk->dataOffset + RateFieldOffset;
        riff_.Ascend(*chunk);
    }
    format_ = WaveFormat::Parse(record);
}

// A declared size beyond the end of the file (a cut-off or still-growing
// recording) reads as far as the file goes, so a forged size never asks for
// more memory than the file has.
std::optional<std::vector<std::uint8_t>> WavReader::ReadSamples(const AudioLoadListener& listener) {
    const std::uint64_t bytesPerFrame = header_.bytesPerFrame;
    const auto chunk = riff_.FindChunk(serializer::ChunkId("data"));
    if (!chunk || chunk->size == 0 || bytesPerFrame == 0) {
        return std::vector<std::uint8_t>{};
    }
    const std::uint64_t available = riff_.BodyBytesInFile(*chunk);
    const std::size_t total = FrameBytes(available / bytesPerFrame, bytesPerFrame);
    // Whole frames, so that no piece splits a sample.
    const std::size_t piece =
        FrameBytes(std::max<std::uint64_t>(PieceBytes / bytesPerFrame, 1), bytesPerFrame);
    std::vector<std::uint8_t> samples;
    samples.reserve(total);
    while (samples.size() < total) {
        const std::size_t done = samples.size();
        const std::size_t wanted = std::min(piece, total - done);
        samples.resize(done + wanted);
        if (riff_.Read(samples.data() + done, wanted) != wanted) {
            return std::vector<std::uint8_t>{};
        }
        silenced_ += SilenceNonFinite(header_.format, samples.data() + done, wanted);
        AudioView soFar;
        static_cast<AudioHeader&>(soFar) = header_;
        soFar.data = samples.data();
        soFar.byteCount = samples.size();
        if (listener &&
            !listener(soFar, static_cast<double>(samples.size()) / static_cast<double>(total))) {
            return std::nullopt;
        }
    }
    riff_.Ascend(*chunk);
    return samples;
}

} // namespace vel::lumo
