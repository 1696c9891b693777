#include "apps/lumo/animate/MouthCurves.h"

#include "apps/lumo/animate/KeyReduction.h"
#include "apps/lumo/animate/MouthShape.h"
#include "apps/lumo/animate/StandardKeys.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

// Levels this far below the voice's loud parts count as silence.
constexpr float RangeDb = 30.0f;
// A mouth never strays more than this from the smooth curve through its keys.
constexpr float Tolerance = 0.04f;
// Even a whisper opens the mouth this share of the way.
constexpr float QuietOpening = 0.35f;

float Decibels(float level) {
    return 20.0f * std::log10(std::max(level, 1e-6f));
}

// Loudness 0..1 per frame: 0 at silence, 1 at the voice's loud parts (the
// level that only a twentieth of the sounding frames exceed).
std::vector<float> Loudness(const std::vector<VoiceFrame>& frames) {
    std::vector<float> sounding;
    for (const VoiceFrame& frame : frames) {
        if (frame.level > 1e-4f) {
            sounding.push_back(Decibels(frame.level));
        }
    }
    std::vector<float> loudness(frames.size(), 0.0f);
    if (sounding.empty()) {
        return loudness;
    }
    const auto loud = sounding.begin() + static_cast<std::ptrdiff_t>(sounding.size() * 95 / 100);
    std::nth_element(sounding.begin(), loud, sounding.end());
    const float reference = *loud;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        loudness[i] =
            std::clamp((Decibels(frames[i].level) - reference + RangeDb) / RangeDb, 0.0f, 1.0f);
    }
    return loudness;
}

// A mouth shape read from the spectrum alone: a wide mouth puts energy high,
// a round one keeps it low with little in the open mouth's region, and the
// lips shut on a hum whose energy lies all at the bottom with nothing high.
MouthShape FromSpectrum(const VoiceFrame& frame) {
    const float hum = std::clamp((0.04f - frame.high) / 0.03f, 0.0f, 1.0f) *
                      std::clamp((frame.low - 0.7f) / 0.1f, 0.0f, 1.0f);
    MouthShape shape;
    shape.open = std::clamp(0.3f + 1.4f * frame.open, 0.0f, 1.0f) * (1.0f - hum);
    shape.wide = std::clamp((frame.high - 0.08f) / 0.2f, 0.0f, 1.0f);
    shape.round = std::clamp((0.12f - frame.high) / 0.08f, 0.0f, 1.0f) *
                  std::clamp((0.45f - frame.open) / 0.25f, 0.0f, 1.0f) * (1.0f - hum);
    return shape;
}

// Without phonemes, the lips are taken to close where the voice drops
// sharply below its neighbours, as in the stop of a "p" between vowels.
std::vector<bool> Stops(const std::vector<VoiceFrame>& frames) {
    constexpr std::size_t reach = 3;
    constexpr float drop = 0.2f;
    std::vector<bool> stops(frames.size(), false);
    for (std::size_t f = 0; f < frames.size(); ++f) {
        float loudest = 0.0f;
        for (std::size_t g = f > reach ? f - reach : 0; g < std::min(frames.size(), f + reach + 1);
             ++g) {
            loudest = std::max(loudest, frames[g].level);
        }
        stops[f] = frames[f].level < drop * loudest;
    }
    return stops;
}

// Blends each value with its neighbours both ways, so nothing shifts in time.
void Smooth(std::vector<float>& values, float amount) {
    if (amount <= 0.0f || values.empty()) {
        return;
    }
    const float keep = std::clamp(amount, 0.0f, 1.0f) * 0.6f;
    for (std::size_t i = 1; i < values.size(); ++i) {
        values[i] = keep * values[i - 1] + (1.0f - keep) * values[i];
    }
    for (std::size_t i = values.size() - 1; i-- > 0;) {
        values[i] = keep * values[i + 1] + (1.0f - keep) * values[i];
    }
}

} // namespace

MouthCurves MouthCurves::From(const std::vector<VoiceFrame>& frames,
                              const std::vector<std::string>& phones,
                              const LipSyncSettings& settings) {
    const std::vector<float> loudness = Loudness(frames);
    MouthCurves curves;
    curves.open.resize(frames.size());
    curves.wide.resize(frames.size());
    curves.round.resize(frames.size());
    for (std::size_t f = 0; f < frames.size(); ++f) {
        const MouthShape heard = FromSpectrum(frames[f]);
        MouthShape shape = heard;
        if (!phones.empty()) {
            shape = MouthShape::ForPhone(phones[f]);
            if (!MouthShape::ClosesLips(phones[f])) {
                shape.open = std::max(shape.open, heard.open * 0.75f);
            }
            shape.wide = std::max(shape.wide, heard.wide * 0.7f);
            shape.round = std::max(shape.round, heard.round * 0.7f);
        }
        const float level = std::clamp(loudness[f] * settings.sensitivity, 0.0f, 1.0f);
        const float opening = loudness[f] > 0.0f ? QuietOpening + (1 - QuietOpening) * level : 0.0f;
        curves.open[f] = shape.open * opening;
        curves.wide[f] = loudness[f] > 0.0f ? shape.wide : 0.0f;
        curves.round[f] = loudness[f] > 0.0f ? shape.round : 0.0f;
    }
    for (std::vector<float>* curve : {&curves.open, &curves.wide, &curves.round}) {
        Smooth(*curve, settings.smoothing);
    }
    // Smoothing must not blur a closure of the lips away.
    const std::vector<bool> stops = Stops(frames);
    curves.shut.resize(frames.size());
    for (std::size_t f = 0; f < frames.size(); ++f) {
        curves.shut[f] = phones.empty() ? stops[f] : MouthShape::ClosesLips(phones[f]);
        if (curves.shut[f]) {
            curves.open[f] = 0.0f;
        }
    }
    return curves;
}

std::vector<KnobKeys> MouthCurves::Keys(std::uint32_t first, double framesPerSecond) const {
    const auto limit = static_cast<std::size_t>(
        std::max(2.0, LipSyncGenerator::MaxKeysPerSecond * static_cast<double>(open.size()) /
                          framesPerSecond));
    return {{MouthKey, ReduceKeys(open, first, limit, Tolerance)},
            {MouthWideKey, ReduceKeys(wide, first, limit, Tolerance)},
            {MouthRoundKey, ReduceKeys(round, first, limit, Tolerance)}};
}

} // namespace vel::lumo
