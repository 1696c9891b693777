#include "apps/lumo/audio/LoadWav.h"

#include "apps/lumo/audio/RiffReader.h"
#include "apps/lumo/audio/WaveFormat.h"

#include <algorithm>

namespace vel::lumo {

namespace {

// A missing, short or cut-off "fmt " chunk leaves the record all zero.
WaveFormat ReadFormat(RiffReader& riff) {
    std::array<std::uint8_t, WaveFormat::RecordSize> record{};
    if (const auto chunk = riff.FindChunk(serializer::ChunkId("fmt "))) {
        if (chunk->size >= 16) {
            const std::size_t wanted = std::min<std::size_t>(chunk->size, record.size());
            if (riff.Read(record.data(), wanted) != wanted) {
                record.fill(0);
            }
        }
        riff.Ascend(*chunk);
    }
    return WaveFormat::Parse(record);
}

// The whole sample frames of "data" that the file really holds: a declared size
// beyond the end of the file (a cut-off or still-growing recording) reads as far
// as the file goes, so a forged size never asks for more memory than the file has.
std::vector<std::uint8_t> ReadSamples(RiffReader& riff, std::uint64_t bytesPerFrame) {
    std::vector<std::uint8_t> samples;
    const auto chunk = riff.FindChunk(serializer::ChunkId("data"));
    if (!chunk || chunk->size == 0 || bytesPerFrame == 0) {
        return samples;
    }
    const std::uint64_t available = riff.BodyBytesInFile(*chunk);
    samples.resize(available - available % bytesPerFrame);
    if (riff.Read(samples.data(), samples.size()) != samples.size()) {
        samples.clear();
    }
    riff.Ascend(*chunk);
    return samples;
}

} // namespace

AudioClip LoadWav(const std::string& fileName) {
    RiffReader riff;
    if (!riff.Open(fileName) || !riff.FindRiff(serializer::ChunkId("WAVE"))) {
        return {};
    }
    WaveFormat format = ReadFormat(riff);
    format.Normalise();
    const AudioHeader header =
        AudioHeader::Make(format.samplesPerSecond, format.ClipFormat(), format.channels);
    if (!format.IsAccepted()) {
        return AudioClip(header, {});
    }
    return AudioClip(header, ReadSamples(riff, header.bytesPerFrame));
}

} // namespace vel::lumo
