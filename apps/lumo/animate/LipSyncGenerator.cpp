#include "apps/lumo/animate/LipSyncGenerator.h"

#include "apps/lumo/animate/MouthCurves.h"
#include "apps/lumo/animate/MouthShape.h"
#include "apps/lumo/animate/PhonemeRecogniser.h"
#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/animate/VoiceAnalysis.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

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

KeyLimit LipSyncGenerator::Limit(double framesPerSecond) {
    return {static_cast<std::size_t>(MaxKeysPerSecond),
            static_cast<std::size_t>(std::ceil(framesPerSecond))};
}

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

    Animation animation;
    animation.knobs = MouthCurves::From(*analysed, phones, settings_, input.FramesPerSecond())
                          .Keys(input.range.first, input.FramesPerSecond());
    animation.method = "Lip sync " + method + ".";
    return animation;
}

} // namespace vel::lumo
