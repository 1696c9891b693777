#include "apps/lumo/animate/VoiceAnalysis.h"

#include "apps/lumo/audio/ConvertAudio.h"
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

VoiceSamples VoiceSamples::From(const AnimateInput& input) {
    VoiceSamples voice;
    const AudioHeader target = AudioHeader::Make(Rate, SampleFormat::S16, 1);
    const AudioView view(input.audio);
    const std::uint64_t available = ConvertedFrames(view, target);
    const double fps = input.FramesPerSecond();
    if (available == 0 || fps <= 0.0) {
        return voice;
    }
    const auto first =
        std::min(available, static_cast<std::uint64_t>(input.range.first / fps * Rate));
    const auto end =
        std::min(available, static_cast<std::uint64_t>(std::ceil(input.range.end / fps * Rate)));
    voice.startSeconds = static_cast<double>(first) / Rate;
    voice.samples.resize(end - first);
    ConvertAudioFrames(view, target, first, end - first,
                       reinterpret_cast<std::uint8_t*>(voice.samples.data()));
    return voice;
}

std::optional<std::vector<VoiceFrame>> AnalyseVoice(const VoiceSamples& voice,
                                                    const AnimateInput& input,
                                                    const AnimateProgress& progress) {
    const std::uint32_t frames = input.range.Length();
    const double fps = input.FramesPerSecond();
    const double samplesPerFrame = VoiceSamples::Rate / fps;
    const double offset =
        input.range.first / fps * VoiceSamples::Rate - voice.startSeconds * VoiceSamples::Rate;
    const auto size = static_cast<std::int64_t>(voice.samples.size());
    Spectrum spectrum;
    std::vector<VoiceFrame> result(frames);
    for (std::uint32_t f = 0; f < frames; ++f) {
        const auto begin = std::clamp<std::int64_t>(
            static_cast<std::int64_t>(offset + f * samplesPerFrame), 0, size);
        const auto end = std::clamp<std::int64_t>(
            static_cast<std::int64_t>(offset + (f + 1) * samplesPerFrame), begin, size);
        if (end == begin) {
            continue;
        }
        double sum = 0.0;
        for (std::int64_t i = begin; i < end; ++i) {
            const double v = voice.samples[i] / 32768.0;
            sum += v * v;
        }
        VoiceFrame& frame = result[f];
        frame.level = static_cast<float>(std::sqrt(sum / static_cast<double>(end - begin)));
        const auto& bins = spectrum.At(voice.samples, (begin + end) / 2);
        const double voiced = Band(bins, 150, 4000) + 1e-12;
        frame.low = static_cast<float>(Band(bins, 150, 450) / voiced);
        frame.open = static_cast<float>(Band(bins, 550, 1100) / voiced);
        frame.high = static_cast<float>(Band(bins, 1700, 3400) / voiced);
        const double hiss = Band(bins, 4000, 8000);
        frame.hiss = static_cast<float>(hiss / (hiss + voiced));
        if (f % 256 == 255 && !progress(f + 1, frames)) {
            return std::nullopt;
        }
    }
    if (!progress(frames, frames)) {
        return std::nullopt;
    }
    return result;
}

} // namespace vel::lumo
