#pragma once

#include <complex>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

extern "C" {
#include <libavutil/tx.h>
}

namespace vel::lumo {

// The first two resonances of the vocal tract, in Hz: the first rises as the
// jaw opens, the second as the tongue comes forward and the lips spread.
struct Formants {
    float first = 0.0f;
    float second = 0.0f;

    // Whether a vowel's resonances were found at all.
    bool Found() const { return first > 0.0f; }
};

// What a short window of a voice holds: its spectrum, through FFmpeg's real
// transform of the window tapered by a Hann curve and padded with zeros, and
// its formants, read from the poles of a linear predictor.
class VoiceSpectrum {
public:
    VoiceSpectrum(std::size_t window, std::size_t transform, double rate);
    VoiceSpectrum(const VoiceSpectrum&) = delete;
    VoiceSpectrum& operator=(const VoiceSpectrum&) = delete;
    ~VoiceSpectrum();

    // Takes the window of samples from start on, zeros where it passes their ends.
    void Take(std::span<const std::int16_t> samples, std::ptrdiff_t start);
    // The energy of the last window taken between the two frequencies.
    double Band(double from, double to) const;
    // The formants of the last window taken; none in silence or noise.
    Formants FindFormants() const;

private:
    struct TxDeleter {
        void operator()(AVTXContext* context) const { av_tx_uninit(&context); }
    };

    std::unique_ptr<AVTXContext, TxDeleter> context_;
    av_tx_fn transform_ = nullptr;
    double rate_;
    double binHz_;
    std::vector<float> taper_;
    // The window as heard, then tapered and padded for the transform.
    std::vector<float> raw_;
    std::vector<float> in_;
    std::vector<std::complex<float>> out_;
};

} // namespace vel::lumo
