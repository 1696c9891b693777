#include "apps/lumo/animate/VoiceAnalysis.h"

#include "apps/lumo/animate/VoiceSpectrum.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

constexpr int WindowSize = 512;
// Frames analysed from one read of the voice: about nine seconds.
constexpr std::uint32_t BlockFrames = 256;

} // namespace

std::optional<std::vector<VoiceFrame>>
AnalyseVoice(const VoiceReader& voice, const AnimateInput& input, const AnimateProgress& progress) {
    const std::uint32_t frames = input.range.Length();
    const double fps = input.FramesPerSecond();
    const double samplesPerFrame = VoiceSamples::Rate / fps;
    const double offset =
        input.range.first / fps * VoiceSamples::Rate - voice.StartSeconds() * VoiceSamples::Rate;
    const auto size = static_cast<std::int64_t>(voice.Size());
    // Where a frame's sound starts among the voice's samples.
    const auto startOf = [&](std::uint32_t f) {
        return std::clamp<std::int64_t>(static_cast<std::int64_t>(offset + f * samplesPerFrame), 0,
                                        size);
    };
    VoiceSpectrum spectrum(WindowSize, WindowSize, VoiceSamples::Rate);
    std::vector<VoiceFrame> result(frames);
    for (std::uint32_t block = 0; block < frames; block += BlockFrames) {
        const std::uint32_t blockEnd = std::min(frames, block + BlockFrames);
        // Half a window more on either side serves the spectra of the block's ends.
        const std::int64_t from = std::max<std::int64_t>(0, startOf(block) - WindowSize / 2);
        const std::int64_t to = std::min(size, startOf(blockEnd) + WindowSize / 2);
        const VoiceSamples piece = voice.Read(from, to - from);
        for (std::uint32_t f = block; f < blockEnd; ++f) {
            const std::int64_t begin = startOf(f) - from;
            const std::int64_t end = std::max(startOf(f + 1) - from, begin);
            if (end == begin) {
                continue;
            }
            double sum = 0.0;
            for (std::int64_t i = begin; i < end; ++i) {
                const double v = piece.samples[i] / 32768.0;
                sum += v * v;
            }
            VoiceFrame& frame = result[f];
            frame.level = static_cast<float>(std::sqrt(sum / static_cast<double>(end - begin)));
            spectrum.Take(piece.samples, (begin + end) / 2 - WindowSize / 2);
            const double voiced = spectrum.Band(150, 4000) + 1e-12;
            frame.low = static_cast<float>(spectrum.Band(150, 450) / voiced);
            frame.open = static_cast<float>(spectrum.Band(550, 1100) / voiced);
            frame.high = static_cast<float>(spectrum.Band(1700, 3400) / voiced);
            const double hiss = spectrum.Band(4000, 8000);
            frame.hiss = static_cast<float>(hiss / (hiss + voiced));
            frame.formants = spectrum.FindFormants();
        }
        if (!progress(blockEnd, frames)) {
            return std::nullopt;
        }
    }
    if (!progress(frames, frames)) {
        return std::nullopt;
    }
    return result;
}

} // namespace vel::lumo
