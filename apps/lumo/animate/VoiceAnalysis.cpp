#include "apps/lumo/animate/VoiceAnalysis.h"

#include "core/UserFailure.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <memory>
#include <numbers>

extern "C" {
#include <libavutil/tx.h>
}

namespace vel::lumo {

namespace {

constexpr int WindowSize = 512;
constexpr double BinHz = static_cast<double>(VoiceSamples::Rate) / WindowSize;
// Frames analysed from one read of the voice: about nine seconds.
constexpr std::uint32_t BlockFrames = 256;

struct TxDeleter {
    void operator()(AVTXContext* context) const { av_tx_uninit(&context); }
};

// A real transform of WindowSize samples with a Hann window.
class Spectrum {
public:
    Spectrum() : window_(WindowSize), in_(WindowSize), out_(WindowSize / 2 + 1) {
        AVTXContext* context = nullptr;
        const float scale = 1.0f;
        if (av_tx_init(&context, &transform_, AV_TX_FLOAT_RDFT, 0, WindowSize, &scale,
                       AV_TX_UNALIGNED) < 0) {
            throw core::UserFailure("the sound could not be analysed",
                                    "Could not set up the spectrum transform.");
        }
        context_.reset(context);
        for (int i = 0; i < WindowSize; ++i) {
            window_[i] = static_cast<float>(
                0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / (WindowSize - 1)));
        }
    }

    // Energy per bin of the samples centred on the position; zeros beyond the ends.
    const std::vector<std::complex<float>>& At(const std::vector<std::int16_t>& samples,
                                               std::int64_t centre) {
        for (int i = 0; i < WindowSize; ++i) {
            const std::int64_t at = centre - WindowSize / 2 + i;
            const bool inside = at >= 0 && at < static_cast<std::int64_t>(samples.size());
            in_[i] = inside ? window_[i] * static_cast<float>(samples[at]) / 32768.0f : 0.0f;
        }
        transform_(context_.get(), out_.data(), in_.data(), sizeof(float));
        return out_;
    }

private:
    std::unique_ptr<AVTXContext, TxDeleter> context_;
    av_tx_fn transform_ = nullptr;
    std::vector<float> window_;
    std::vector<float> in_;
    std::vector<std::complex<float>> out_;
};

double Band(const std::vector<std::complex<float>>& bins, double from, double to) {
    double sum = 0.0;
    const auto first = static_cast<std::size_t>(std::ceil(from / BinHz));
    const auto last = std::min(bins.size() - 1, static_cast<std::size_t>(to / BinHz));
    for (std::size_t i = first; i <= last; ++i) {
        sum += std::norm(bins[i]);
    }
    return sum;
}

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
    Spectrum spectrum;
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
            const auto& bins = spectrum.At(piece.samples, (begin + end) / 2);
            const double voiced = Band(bins, 150, 4000) + 1e-12;
            frame.low = static_cast<float>(Band(bins, 150, 450) / voiced);
            frame.open = static_cast<float>(Band(bins, 550, 1100) / voiced);
            frame.high = static_cast<float>(Band(bins, 1700, 3400) / voiced);
            const double hiss = Band(bins, 4000, 8000);
            frame.hiss = static_cast<float>(hiss / (hiss + voiced));
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
