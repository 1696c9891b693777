#include "apps/lumo/animate/VoiceSpectrum.h"

#include "core/UserFailure.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace vel::lumo {

namespace {

// Linear prediction of this order finds the eight or so resonances up to
// 8 kHz at 16000 samples a second; a lower one merges the close first two of
// an o or u into one.
constexpr std::size_t PredictionOrder = 18;
// Lifts the high frequencies before the prediction, as the voice's source
// tilts them down by about 6 dB an octave.
constexpr float PreEmphasis = 0.97f;
// The first formant lies in this range, the second this far above it and
// under the top; below the range lie the voice's own pitch and hum.
constexpr double LowestFirst = 200.0;
constexpr double HighestFirst = 1100.0;
constexpr double LeastGap = 150.0;
constexpr double HighestSecond = 3200.0;
// A vowel's second formant holds at least this share of the voice's energy
// near it; the murmur of an n or ng, whose mouth cancels it, holds far less.
constexpr double WeakestSecond = 0.02;
constexpr double SecondReach = 150.0;
constexpr double LowestVoice = 150.0;
constexpr double HighestVoice = 4000.0;
// A resonance wider than this is the envelope's slope, not a formant.
constexpr double WidestBandwidth = 500.0;
// A window quieter than this holds no voice to read.
constexpr double QuietestEnergy = 1e-7;
// The root finder's passes at most, and the step below which a root has settled.
constexpr int RootPasses = 200;
constexpr double RootSettled = 1e-10;

// The coefficients a[1..order] of the predictor of the samples (a[0] = 1),
// by Levinson and Durbin's recursion on their autocorrelation; empty when
// the samples are silent.
std::vector<double> Predictor(const std::vector<float>& samples, std::size_t order) {
    std::vector<double> r(order + 1, 0.0);
    for (std::size_t lag = 0; lag <= order; ++lag) {
        for (std::size_t i = lag; i < samples.size(); ++i) {
            r[lag] += static_cast<double>(samples[i]) * samples[i - lag];
        }
    }
    if (r[0] < QuietestEnergy) {
        return {};
    }
    // A slight lift of the diagonal keeps the recursion stable on pure tones.
    r[0] *= 1.0001;
    std::vector<double> a(order + 1, 0.0);
    a[0] = 1.0;
    double error = r[0];
    for (std::size_t i = 1; i <= order; ++i) {
        double sum = r[i];
        for (std::size_t j = 1; j < i; ++j) {
            sum += a[j] * r[i - j];
        }
        const double k = -sum / error;
        std::vector<double> previous = a;
        for (std::size_t j = 1; j < i; ++j) {
            a[j] = previous[j] + k * previous[i - j];
        }
        a[i] = k;
        error *= 1.0 - k * k;
        if (error <= 0.0) {
            return {};
        }
    }
    return a;
}

// The roots of the polynomial z^n + c[1] z^(n-1) + ... + c[n], by
// Weierstrass's simultaneous iteration, which needs no deflation and
// converges for the well-separated roots of a speech predictor.
std::vector<std::complex<double>> Roots(const std::vector<double>& c) {
    const std::size_t degree = c.size() - 1;
    const auto value = [&](std::complex<double> z) {
        std::complex<double> sum = 1.0;
        for (std::size_t i = 1; i <= degree; ++i) {
            sum = sum * z + c[i];
        }
        return sum;
    };
    std::vector<std::complex<double>> roots(degree);
    const std::complex<double> seed(0.4, 0.9);
    std::complex<double> power = 1.0;
    for (std::complex<double>& root : roots) {
        root = power;
        power *= seed;
    }
    for (int pass = 0; pass < RootPasses; ++pass) {
        double moved = 0.0;
        for (std::size_t i = 0; i < degree; ++i) {
            std::complex<double> product = 1.0;
            for (std::size_t j = 0; j < degree; ++j) {
                if (j != i) {
                    product *= roots[i] - roots[j];
                }
            }
            const std::complex<double> step = value(roots[i]) / product;
            roots[i] -= step;
            moved = std::max(moved, std::abs(step));
        }
        if (moved < RootSettled) {
            break;
        }
    }
    return roots;
}

} // namespace

VoiceSpectrum::VoiceSpectrum(std::size_t window, std::size_t transform, double rate)
    : rate_(rate), binHz_(rate / static_cast<double>(transform)), taper_(window), raw_(window),
      in_(transform, 0.0f), out_(transform / 2 + 1) {
    AVTXContext* context = nullptr;
    const float scale = 1.0f;
    if (av_tx_init(&context, &transform_, AV_TX_FLOAT_RDFT, 0, static_cast<int>(transform), &scale,
                   AV_TX_UNALIGNED) < 0) {
        throw core::UserFailure("the sound could not be analysed",
                                "Could not set up the spectrum transform.");
    }
    context_.reset(context);
    for (std::size_t i = 0; i < window; ++i) {
        taper_[i] = static_cast<float>(
            0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * static_cast<double>(i) /
                                 static_cast<double>(window - 1)));
    }
}

VoiceSpectrum::~VoiceSpectrum() = default;

void VoiceSpectrum::Take(std::span<const std::int16_t> samples, std::ptrdiff_t start) {
    for (std::size_t i = 0; i < raw_.size(); ++i) {
        const std::ptrdiff_t at = start + static_cast<std::ptrdiff_t>(i);
        const bool inside = at >= 0 && at < static_cast<std::ptrdiff_t>(samples.size());
        raw_[i] =
            inside ? static_cast<float>(samples[static_cast<std::size_t>(at)]) / 32768.0f : 0.0f;
        in_[i] = taper_[i] * raw_[i];
    }
    std::fill(in_.begin() + static_cast<std::ptrdiff_t>(raw_.size()), in_.end(), 0.0f);
    transform_(context_.get(), out_.data(), in_.data(), sizeof(float));
}

double VoiceSpectrum::Band(double from, double to) const {
    double sum = 0.0;
    const auto last = std::min(out_.size() - 1, static_cast<std::size_t>(to / binHz_));
    for (auto i = static_cast<std::size_t>(std::ceil(from / binHz_)); i <= last; ++i) {
        sum += std::norm(out_[i]);
    }
    return sum;
}

Formants VoiceSpectrum::FindFormants() const {
    std::vector<float> emphasised(raw_.size());
    for (std::size_t i = 0; i < raw_.size(); ++i) {
        emphasised[i] = taper_[i] * (raw_[i] - (i > 0 ? PreEmphasis * raw_[i - 1] : 0.0f));
    }
    const std::vector<double> a = Predictor(emphasised, PredictionOrder);
    if (a.empty()) {
        return {};
    }
    // Each resonance is a pair of poles of the predictor's filter: its
    // frequency the pole's angle, its bandwidth how far it lies inside the circle.
    std::vector<double> resonances;
    for (const std::complex<double> pole : Roots(a)) {
        const double hz = std::arg(pole) * rate_ / (2.0 * std::numbers::pi);
        const double bandwidth = -std::log(std::abs(pole)) * rate_ / std::numbers::pi;
        if (hz > 0.0 && bandwidth < WidestBandwidth) {
            resonances.push_back(hz);
        }
    }
    std::sort(resonances.begin(), resonances.end());
    const auto first = std::find_if(resonances.begin(), resonances.end(),
                                    [](double hz) { return hz >= LowestFirst; });
    if (first == resonances.end() || *first > HighestFirst) {
        return {};
    }
    const auto second = std::find_if(first + 1, resonances.end(),
                                     [&](double hz) { return hz >= *first + LeastGap; });
    if (second == resonances.end() || *second > HighestSecond ||
        Band(*second - SecondReach, *second + SecondReach) <
            WeakestSecond * Band(LowestVoice, HighestVoice)) {
        return {};
    }
    return {static_cast<float>(*first), static_cast<float>(*second)};
}

} // namespace vel::lumo
