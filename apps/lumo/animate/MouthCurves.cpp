#include "apps/lumo/animate/MouthCurves.h"

#include "apps/lumo/animate/KeyReduction.h"
#include "apps/lumo/animate/MouthShape.h"
#include "apps/lumo/animate/StandardKeys.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace vel::lumo {

namespace {

// Levels the voice's range (VoiceRangeDb) below its loud parts count as
// silence, and so do levels within this of the recording's noise floor, the level
// that a tenth of the frames stay under (room noise, hum, the echo's tail)...
constexpr float FloorMarginDb = 6.0f;
constexpr std::size_t FloorPercent = 10;
// ...unless the floor lies this close to the loud parts: a voice that never
// pauses shows no floor of its own.
constexpr float LeastRangeDb = 6.0f;
// Lips shut on m, b and p are neither wide nor round beyond this.
constexpr float ShutSpread = 0.15f;
// Lips move toward a sound this long before it is heard: one frame at the
// usual rates, two at 50 frames a second and more.
constexpr double LeadSeconds = 0.04;
constexpr std::size_t MostLeadFrames = 2;
// A mouth with no knob beyond this is at rest, and a pause is a rest of at
// least this many frames.
constexpr float RestSpread = 0.01f;
// A knob this far up is seen to have left its rest.
constexpr float RestLimit = 0.1f;
// How far beside a closure or a pause a row is looked at.
constexpr std::size_t Reach = 3;
constexpr std::size_t ShortestPause = 8;
// An open shape between two others is shown for at least this many frames.
constexpr std::size_t HoldFrames = 2;

// The value that percent of the values lie under.
float Percentile(std::vector<float> values, std::size_t percent) {
    const auto at = values.begin() + static_cast<std::ptrdiff_t>(values.size() * percent / 100);
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

// Each frame's level in decibels of full scale.
std::vector<float> LevelsDb(const std::vector<VoiceFrame>& frames) {
    std::vector<float> levels;
    levels.reserve(frames.size());
    for (const VoiceFrame& frame : frames) {
        levels.push_back(Decibels(frame.level));
    }
    return levels;
}

// Loudness 0..1 per frame: 0 at silence, 1 at the voice's loud parts (the
// level that only a twentieth of the sounding frames exceed).
std::vector<float> Loudness(const std::vector<VoiceFrame>& frames) {
    const std::vector<float> levels = LevelsDb(frames);
    std::vector<float> sounding;
    for (std::size_t i = 0; i < frames.size(); ++i) {
        if (frames[i].level > 1e-4f) {
            sounding.push_back(levels[i]);
        }
    }
    std::vector<float> loudness(frames.size(), 0.0f);
    if (sounding.empty()) {
        return loudness;
    }
    const float reference = Percentile(std::move(sounding), 95);
    const float floor = Percentile(levels, FloorPercent);
    const float silence = std::max(reference - VoiceRangeDb,
                                   std::min(floor + FloorMarginDb, reference - LeastRangeDb));
    for (std::size_t i = 0; i < frames.size(); ++i) {
        loudness[i] = std::clamp((levels[i] - silence) / (reference - silence), 0.0f, 1.0f);
    }
    return loudness;
}

// How much the frame sounds like lips shut on a hum: energy all at the
// bottom of the spectrum with nothing high, as in m and the voiced b.
float Hum(const VoiceFrame& frame) {
    return std::clamp((0.04f - frame.high) / 0.03f, 0.0f, 1.0f) *
           std::clamp((frame.low - 0.7f) / 0.1f, 0.0f, 1.0f);
}

// A mouth shape read from the shares of the spectrum's bands: a wide mouth
// puts energy high, a round one keeps it low with little in the open mouth's
// region, and the lips shut on a hum. It nudges the recognised phonemes'
// shapes toward what is heard.
MouthShape FromBands(const VoiceFrame& frame) {
    const float hum = Hum(frame);
    MouthShape shape;
    shape.open = std::clamp(0.3f + 1.4f * frame.open, 0.0f, 1.0f) * (1.0f - hum);
    shape.wide = std::clamp((frame.high - 0.08f) / 0.2f, 0.0f, 1.0f);
    shape.round = std::clamp((0.12f - frame.high) / 0.08f, 0.0f, 1.0f) *
                  std::clamp((0.45f - frame.open) / 0.25f, 0.0f, 1.0f) * (1.0f - hum);
    return shape;
}

// A mouth shape read from the spectrum alone, the same in any language: a
// vowel's first formant rises as the jaw opens, its second is high when the
// lips spread (i, e) and low with a low or middle first one when they round
// (o, u). Where no vowel sounds, the bands open the mouth a little and
// nothing shapes it: a consonant's spectrum says little of the lips.
// A u sounds much like a hum, so a vowel's formants overrule it, but the
// murmur of an m, its first resonance under any vowel's and no front second
// one, is no vowel; the lips shut on an m between vowels by the drop of the
// loudness (Closures).
MouthShape FromFormants(const VoiceFrame& frame) {
    constexpr float murmurFirst = 290.0f;
    constexpr float murmurSecond = 1500.0f;
    if (!frame.formants.Found() ||
        (frame.formants.first < murmurFirst && frame.formants.second < murmurSecond)) {
        return {FromBands(frame).open, 0.0f, 0.0f};
    }
    MouthShape shape;
    const float first = frame.formants.first;
    const float second = frame.formants.second;
    shape.open = 0.3f + 0.7f * std::clamp((first - 250.0f) / 450.0f, 0.0f, 1.0f);
    shape.wide = std::clamp((second - 1500.0f) / 600.0f, 0.0f, 1.0f);
    shape.round = std::clamp((1600.0f - second) / 500.0f, 0.0f, 1.0f) *
                  std::clamp((800.0f - first) / 200.0f, 0.0f, 1.0f);
    return shape;
}

// Where the signal shows the lips closing between two voiced parts: the
// voice drops sharply below both, as in the stop of a "p", or it dips to a
// hum, as in an "m". The recogniser often hears these as other sounds, so
// the signal has the say with it too.
// The levels are the voice's alone, the noise floor's power taken out.
std::vector<bool> Closures(const std::vector<VoiceFrame>& frames) {
    constexpr float stopDrop = 0.2f;
    constexpr float humDrop = 0.6f;
    constexpr float humLike = 0.25f;
    const std::size_t count = frames.size();
    std::vector<float> levels = LevelsDb(frames);
    const float noise = count == 0 ? 0.0f : std::pow(10.0f, Percentile(levels, FloorPercent) / 20);
    for (std::size_t f = 0; f < count; ++f) {
        levels[f] = std::sqrt(std::max(frames[f].level * frames[f].level - noise * noise, 0.0f));
    }
    std::vector<bool> closures(count, false);
    for (std::size_t f = 1; f + 1 < count; ++f) {
        const auto from = static_cast<std::ptrdiff_t>(f > Reach ? f - Reach : 0);
        const auto at = static_cast<std::ptrdiff_t>(f);
        const auto to = static_cast<std::ptrdiff_t>(std::min(count, f + Reach + 1));
        const float before = *std::max_element(levels.begin() + from, levels.begin() + at);
        const float after = *std::max_element(levels.begin() + at + 1, levels.begin() + to);
        const float level = levels[f];
        const float voice = std::min(before, after);
        const bool dip = level <= levels[f - 1] && level <= levels[f + 1];
        closures[f] = level < stopDrop * voice ||
                      (dip && level < humDrop * voice && Hum(frames[f]) >= humLike);
    }
    return closures;
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

// The stretches [start, end) of equal values.
template <typename Value>
std::vector<std::pair<std::size_t, std::size_t>> Runs(const std::vector<Value>& values) {
    std::vector<std::pair<std::size_t, std::size_t>> runs;
    for (std::size_t start = 0; start < values.size();) {
        std::size_t end = start;
        while (end < values.size() && values[end] == values[start]) {
            ++end;
        }
        runs.emplace_back(start, end);
        start = end;
    }
    return runs;
}

bool OpenShape(const std::string& phone) {
    return MouthShape::ForPhone(phone).open > 0.0f && !MouthShape::ClosesLips(phone);
}

// The phoneme whose shape each frame shows: the one heard lead frames later,
// as animators key lips ahead of the sound, except that a closure shuts the
// frames it is heard in too; and an open shape shown for fewer than
// HoldFrames between two open shapes gives way to the one before it, which
// would otherwise flicker past unseen.
std::vector<std::string> Shown(const std::vector<std::string>& phones, std::size_t lead) {
    const std::size_t count = phones.size();
    std::vector<std::string> shown(count);
    for (std::size_t f = 0; f < count; ++f) {
        shown[f] =
            MouthShape::ClosesLips(phones[f]) ? phones[f] : phones[std::min(f + lead, count - 1)];
    }
    for (const auto& [start, end] : Runs(shown)) {
        if (start > 0 && end < count && end - start < HoldFrames && OpenShape(shown[start]) &&
            OpenShape(shown[start - 1]) && OpenShape(shown[end])) {
            std::fill(shown.begin() + static_cast<std::ptrdiff_t>(start),
                      shown.begin() + static_cast<std::ptrdiff_t>(end), shown[start - 1]);
        }
    }
    return shown;
}

} // namespace

MouthCurves MouthCurves::From(const std::vector<VoiceFrame>& frames,
                              const std::vector<std::string>& phones,
                              const LipSyncSettings& settings, double framesPerSecond) {
    const std::size_t count = frames.size();
    const auto lead = std::clamp<std::size_t>(
        static_cast<std::size_t>(std::lround(LeadSeconds * framesPerSecond)), 1, MostLeadFrames);
    const std::vector<float> loudness = Loudness(frames);
    const std::vector<std::string> shown = phones.empty() ? phones : Shown(phones, lead);
    const std::vector<bool> closures = Closures(frames);
    MouthCurves curves;
    curves.open.resize(count);
    curves.wide.resize(count);
    curves.round.resize(count);
    curves.shut.resize(count);
    for (std::size_t f = 0; f < count; ++f) {
        curves.shut[f] = closures[f] || (!shown.empty() && MouthShape::ClosesLips(shown[f]));
        // What the lips move toward: the sound a little ahead.
        const std::size_t ahead = curves.shut[f] ? f : std::min(f + lead, count - 1);
        const MouthShape heard =
            shown.empty() ? FromFormants(frames[ahead]) : FromBands(frames[ahead]);
        MouthShape shape = heard;
        if (!shown.empty()) {
            shape = MouthShape::ForPhone(shown[f]);
            if (!curves.shut[f]) {
                shape.open = std::max(shape.open, heard.open * 0.75f);
            }
            shape.wide = std::max(shape.wide, heard.wide * 0.7f);
            shape.round = std::max(shape.round, heard.round * 0.7f);
        }
        // The jaw opens with the voice as it is heard; the lips shape ahead
        // of it, even out of silence.
        const float level = std::clamp(loudness[f] * settings.sensitivity, 0.0f, 1.0f);
        const float opening = loudness[f] > 0.0f ? QuietOpening + (1 - QuietOpening) * level : 0.0f;
        const bool voiced = std::max(loudness[f], loudness[ahead]) > 0.0f;
        curves.open[f] = shape.open * opening;
        curves.wide[f] = voiced ? shape.wide : 0.0f;
        curves.round[f] = voiced ? shape.round : 0.0f;
    }
    for (std::vector<float>* curve : {&curves.open, &curves.wide, &curves.round}) {
        Smooth(*curve, settings.smoothing);
    }
    // Smoothing must not blur a closure of the lips away, nor open the jaw
    // in silence, where the lips of a word's first m, b or p are shut, nor
    // shape the lips there except toward the coming sound.
    for (std::size_t f = 0; f < count; ++f) {
        if (loudness[f] == 0.0f) {
            curves.open[f] = 0.0f;
            if (loudness[std::min(f + lead, count - 1)] == 0.0f) {
                curves.wide[f] = 0.0f;
                curves.round[f] = 0.0f;
            }
        }
        if (curves.shut[f]) {
            curves.open[f] = 0.0f;
            curves.wide[f] = std::min(curves.wide[f], ShutSpread);
            curves.round[f] = std::min(curves.round[f], ShutSpread);
        }
    }
    return curves;
}

std::vector<KnobKeys> MouthCurves::Keys(std::uint32_t first, double framesPerSecond) const {
    std::vector<bool> resting(open.size());
    for (std::size_t f = 0; f < open.size(); ++f) {
        resting[f] = std::max({open[f], wide[f], round[f]}) <= RestSpread;
    }
    const auto shutRuns = Runs(shut);
    const auto restRuns = Runs(resting);
    // A row keeps a key in the middle of each closure inside the voice and,
    // where there is room, where the mouth comes to rest in a pause and where
    // it leaves it, wherever the row stands high enough beside them that a
    // line between keys would pass over them.
    const auto pinsOf = [&](const std::vector<float>& row) {
        const auto beside = [&](std::size_t start, std::size_t end, float limit) {
            const auto from =
                row.begin() + static_cast<std::ptrdiff_t>(start - std::min(start, Reach));
            const auto to =
                row.begin() + static_cast<std::ptrdiff_t>(std::min(row.size(), end + Reach));
            return std::any_of(from, row.begin() + static_cast<std::ptrdiff_t>(start),
                               [&](float v) { return v > limit; }) ||
                   std::any_of(row.begin() + static_cast<std::ptrdiff_t>(end), to,
                               [&](float v) { return v > limit; });
        };
        KeyPins pins;
        for (const auto& [start, end] : shutRuns) {
            if (shut[start] && start > 0 && end < shut.size() && beside(start, end, ShutSpread)) {
                pins.always.push_back((start + end - 1) / 2);
            }
        }
        for (const auto& [start, end] : restRuns) {
            if (resting[start] && end - start >= ShortestPause) {
                if (beside(start, start, RestLimit)) {
                    pins.first.push_back(start);
                }
                if (beside(end, end, RestLimit)) {
                    pins.first.push_back(end - 1);
                }
            }
        }
        return pins;
    };
    const KeyLimit limit = LipSyncGenerator::Limit(framesPerSecond);
    constexpr float tolerance = LipSyncGenerator::KeyTolerance;
    return {{MouthKey, ReduceKeys(open, first, limit, tolerance, pinsOf(open))},
            {MouthWideKey, ReduceKeys(wide, first, limit, tolerance, pinsOf(wide))},
            {MouthRoundKey, ReduceKeys(round, first, limit, tolerance, pinsOf(round))}};
}

} // namespace vel::lumo
