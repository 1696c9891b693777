#include "apps/lumo/animate/LipSyncGenerator.h"

#include "apps/lumo/animate/KeyReduction.h"
#include "apps/lumo/animate/MouthShape.h"
#include "apps/lumo/animate/PhonemeRecogniser.h"
#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/animate/VoiceAnalysis.h"

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

// Seconds of voice analysed in a second. With the recogniser a 1-hour clip
// took 21 a second of processor time and 7 on a busy two-core machine; the
// spectrum alone reads about 3000 a second. Both figures are cautious.
constexpr double RecognisedPerSecond = 8.0;
constexpr double HeardPerSecond = 1000.0;
// An analysis longer than this is worth a word before it starts.
constexpr double PatientSeconds = 120.0;

// Seconds of the clip under the range, without converting any of it.
double VoiceSeconds(const AnimateInput& input) {
    const double clipSeconds = static_cast<double>(AudioView(input.audio).FrameCount()) /
                               std::max<std::uint32_t>(input.audio.sampleRate, 1);
    return std::clamp(clipSeconds - input.range.first / input.FramesPerSecond(), 0.0,
                      input.range.Length() / input.FramesPerSecond());
}

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

// The phoneme sounding in each frame; a lip closure wins any frame it covers
// for half of the frame or half of itself, so that short closures still shut
// the mouth on screen.
std::vector<std::string> PhonesPerFrame(const std::vector<Phone>& phones, std::uint32_t frames,
                                        double secondsPerFrame, double offset) {
    std::vector<std::string> result(frames, "SIL");
    for (const Phone& phone : phones) {
        const double from = (phone.start - offset) / secondsPerFrame;
        const double to = (phone.end - offset) / secondsPerFrame;
        const bool closure = MouthShape::ClosesLips(phone.name);
        for (auto f = static_cast<std::int64_t>(std::floor(from));
             f < static_cast<std::int64_t>(std::ceil(to)); ++f) {
            if (f < 0 || f >= static_cast<std::int64_t>(frames)) {
                continue;
            }
            const auto start = static_cast<double>(f);
            const double overlap = std::min(to, start + 1.0) - std::max(from, start);
            const double centre = start + 0.5;
            const bool covers = centre >= from && centre < to;
            if ((covers && !MouthShape::ClosesLips(result[f])) ||
                (closure && (overlap >= 0.5 || overlap >= 0.5 * (to - from)))) {
                result[f] = phone.name;
            }
        }
    }
    return result;
}

} // namespace

std::string LipSyncGenerator::Name() const {
    return "Lip Sync";
}

std::vector<KnobKey> LipSyncGenerator::Keys() const {
    return {MouthKey, MouthWideKey, MouthRoundKey};
}

std::optional<std::string> LipSyncGenerator::Problem(const AnimateInput& input) const {
    if (input.audio.Samples().empty() || input.audio.bytesPerFrame == 0) {
        return "The document has no voice to follow: load a WAV clip with Edit, Load Audio first.";
    }
    if (!(settings_.sensitivity > 0.0f && settings_.sensitivity <= 10.0f)) {
        return "The sensitivity must lie above 0 and at most 10.";
    }
    if (!(settings_.smoothing >= 0.0f && settings_.smoothing <= 1.0f)) {
        return "The smoothing must lie between 0 and 1.";
    }
    if (HoldsNoWord(settings_.transcript)) {
        return "The spoken text holds no word: write the words the voice says, or leave it empty.";
    }
    if (auto problem = KeyGenerator::Problem(input)) {
        return problem;
    }
    if (VoiceSeconds(input) <= 0.0) {
        return "The frame range lies after the end of the voice clip.";
    }
    return std::nullopt;
}

std::optional<std::string> LipSyncGenerator::Warning(const AnimateInput& input) const {
    const double seconds =
        VoiceSeconds(input) / (settings_.useRecogniser ? RecognisedPerSecond : HeardPerSecond);
    if (seconds < PatientSeconds) {
        return std::nullopt;
    }
    return "Lip sync of " + std::to_string(std::lround(VoiceSeconds(input) / 60)) +
           " minutes of voice takes about " + std::to_string(std::lround(seconds / 60)) +
           " minutes: choose a shorter range to animate a part of it sooner.";
}

std::optional<Animation> LipSyncGenerator::Generate(const AnimateInput& input,
                                                    const AnimateProgress& progress) const {
    const std::uint32_t frames = input.range.Length();
    const VoiceReader voice(input);
    // The spectrum takes a fifth of the way, the recogniser the rest.
    const std::uint64_t total = std::uint64_t{frames} * (settings_.useRecogniser ? 5 : 1);
    const auto analysed = AnalyseVoice(
        voice, input, [&](std::uint64_t done, std::uint64_t) { return progress(done, total); });
    if (!analysed) {
        return std::nullopt;
    }
    const std::vector<float> loudness = Loudness(*analysed);

    std::vector<std::string> phones;
    std::string method = "from the loudness and spectrum of the voice";
    if (settings_.useRecogniser) {
        const auto recognised = RecognisePhones(
            voice, settings_.transcript, [&](std::uint64_t done, std::uint64_t all) {
                return progress(frames + done * 4 * frames / std::max<std::uint64_t>(all, 1),
                                total);
            });
        if (!recognised) {
            return std::nullopt;
        }
        if (recognised->phones.empty()) {
            method += " (" + recognised->problem + ")";
        } else {
            const double secondsPerFrame = 1.0 / input.FramesPerSecond();
            phones = PhonesPerFrame(recognised->phones, frames, secondsPerFrame,
                                    input.range.first * secondsPerFrame - voice.StartSeconds());
            method = recognised->fromTranscript ? "from the spoken text aligned to the voice"
                                                : "from the recognised phonemes";
        }
        for (const std::string& note : recognised->notes) {
            method += "; " + note;
        }
    }

    std::vector<float> open(frames);
    std::vector<float> wide(frames);
    std::vector<float> round(frames);
    for (std::uint32_t f = 0; f < frames; ++f) {
        const MouthShape heard = FromSpectrum((*analysed)[f]);
        MouthShape shape = heard;
        if (!phones.empty()) {
            shape = MouthShape::ForPhone(phones[f]);
            if (!MouthShape::ClosesLips(phones[f])) {
                shape.open = std::max(shape.open, heard.open * 0.75f);
            }
            shape.wide = std::max(shape.wide, heard.wide * 0.7f);
            shape.round = std::max(shape.round, heard.round * 0.7f);
        }
        const float level = std::clamp(loudness[f] * settings_.sensitivity, 0.0f, 1.0f);
        const float opening = loudness[f] > 0.0f ? QuietOpening + (1 - QuietOpening) * level : 0.0f;
        open[f] = shape.open * opening;
        wide[f] = loudness[f] > 0.0f ? shape.wide : 0.0f;
        round[f] = loudness[f] > 0.0f ? shape.round : 0.0f;
    }
    for (std::vector<float>* curve : {&open, &wide, &round}) {
        Smooth(*curve, settings_.smoothing);
    }
    // Smoothing must not blur a closure of the lips away.
    const std::vector<bool> stops = Stops(*analysed);
    for (std::uint32_t f = 0; f < frames; ++f) {
        if (phones.empty() ? stops[f] : MouthShape::ClosesLips(phones[f])) {
            open[f] = 0.0f;
        }
    }

    const auto limit = static_cast<std::size_t>(
        std::max(2.0, MaxKeysPerSecond * frames / input.FramesPerSecond()));
    Animation animation;
    animation.knobs = {{MouthKey, ReduceKeys(open, input.range.first, limit, Tolerance)},
                       {MouthWideKey, ReduceKeys(wide, input.range.first, limit, Tolerance)},
                       {MouthRoundKey, ReduceKeys(round, input.range.first, limit, Tolerance)}};
    animation.method = "Lip sync " + method + ".";
    return animation;
}

} // namespace vel::lumo
