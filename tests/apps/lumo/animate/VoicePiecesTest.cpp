#include "apps/lumo/animate/LipSyncGenerator.h"
#include "apps/lumo/animate/MouthShape.h"
#include "apps/lumo/animate/PhonemeRecogniser.h"
#include "apps/lumo/audio/LoadWav.h"
#include "tests/support/AddressSanitizer.h"
#include "tests/support/TempFolder.h"

#include <chrono>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>
#include <sys/resource.h>

namespace vel::lumo {
namespace {

constexpr std::uint32_t kFrameRate = 29970;

AnimateInput Over(const AudioClip& clip, double seconds) {
    AnimateInput input;
    input.frameRate = kFrameRate;
    input.range = {0, static_cast<std::uint32_t>(seconds * kFrameRate / 1000)};
    input.audio = clip;
    return input;
}

double Seconds(const AudioClip& clip) {
    return static_cast<double>(AudioView(clip).FrameCount()) / clip.sampleRate;
}

// Mono 16-bit samples at the rate as a clip.
AudioClip Clip(std::uint32_t rate, const std::vector<std::int16_t>& samples) {
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return AudioClip(AudioHeader::Make(rate, SampleFormat::S16, 1), std::move(bytes));
}

// The text as espeak-ng says it, with seconds of silence before it.
std::vector<std::int16_t> Spoken(const std::string& text, double silenceBefore = 0.0) {
    vel::testing::TempFolder folder;
    const std::string wav = folder / "spoken.wav";
    EXPECT_EQ(std::system(("espeak-ng -v en-us -w '" + wav + "' '" + text + "'").c_str()), 0);
    const AudioClip clip = LoadWav(wav);
    std::vector<std::int16_t> samples(static_cast<std::size_t>(silenceBefore * clip.sampleRate));
    const std::size_t start = samples.size();
    samples.resize(start + clip.Samples().size() / 2);
    std::memcpy(samples.data() + start, clip.Samples().data(), clip.Samples().size());
    return samples;
}

constexpr std::uint32_t kSpeechRate = 22050;

bool Always(std::uint64_t, std::uint64_t) {
    return true;
}

TEST(VoicePiecesTest, APieceEndsInThePauseOfItsLastSecondsAndAShortVoiceIsOnePiece) {
    // A buzz of 30 seconds, silent only from 16.0 to 16.2 s: the piece from the
    // start ends in that gap, not at its longest length in the buzz.
    std::vector<std::int16_t> buzz(30 * kSpeechRate);
    for (std::size_t i = 0; i < buzz.size(); ++i) {
        const double t = static_cast<double>(i) / kSpeechRate;
        buzz[i] = t >= 16.0 && t < 16.2
                      ? 0
                      : static_cast<std::int16_t>(8000 * std::sin(2 * std::numbers::pi * 140 * t));
    }
    const AudioClip clip = Clip(kSpeechRate, buzz);
    const VoiceReader voice(Over(clip, 30));
    const double end = static_cast<double>(PieceEnd(voice, 0)) / VoiceSamples::Rate;
    EXPECT_GE(end, 16.0);
    EXPECT_LE(end, 16.2);
    // The rest, under twenty seconds, is one piece to the end.
    EXPECT_EQ(PieceEnd(voice, PieceEnd(voice, 0)), voice.Size());
    const VoiceReader part(Over(clip, 12));
    EXPECT_EQ(PieceEnd(part, 0), part.Size());
}

TEST(VoicePiecesTest, PhonesFollowOneAnotherAcrossPiecesAndAWordAtTheSeamIsHeardOnce) {
    // Speech, a pause, "moon" near where a first piece would end at the
    // latest, and more speech: three pieces in all.
    std::vector<std::int16_t> samples =
        Spoken("The pumpkin glows in the dark and grins at the night. "
               "Every candle flickers while the children laugh and sing.");
    samples.resize(static_cast<std::size_t>(19.6 * kSpeechRate));
    const std::vector<std::int16_t> moon = Spoken("moon.");
    samples.insert(samples.end(), moon.begin(), moon.end());
    while (samples.size() < 45 * kSpeechRate) {
        const std::vector<std::int16_t> more = Spoken("Boo! The night is long and dark.", 0.3);
        samples.insert(samples.end(), more.begin(), more.end());
    }
    const AudioClip clip = Clip(kSpeechRate, samples);
    const VoiceReader voice(Over(clip, Seconds(clip)));
    const auto recognised = RecognisePhones(voice, "", Always);
    ASSERT_TRUE(recognised);
    const std::vector<Phone>& phones = recognised->phones;
    ASSERT_FALSE(phones.empty());
    EXPECT_NEAR(phones.front().start, 0.0, 0.02);
    EXPECT_NEAR(phones.back().end, static_cast<double>(voice.Size()) / VoiceSamples::Rate, 0.02);
    const auto rounds = [&](std::size_t i) {
        return MouthShape::ForPhone(phones[i].name).round >= 0.6f;
    };
    // Runs of round vowels that start within "moon".
    int rounded = 0;
    for (std::size_t i = 0; i < phones.size(); ++i) {
        if (i > 0) {
            // Nothing lost between two phones, and no stretch heard twice.
            EXPECT_NEAR(phones[i].start, phones[i - 1].end, 0.02) << i;
        }
        const bool inMoon = phones[i].start >= 19.6 && phones[i].start < 20.5;
        rounded += inMoon && rounds(i) && (i == 0 || !rounds(i - 1)) ? 1 : 0;
    }
    EXPECT_EQ(rounded, 1);
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A voice of one sample a second, 100,000 of them: over a day once heard
// at the recogniser's rate.
AudioClip SlowClip() {
    std::vector<std::int16_t> samples(100000);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::int16_t>((i * 7919) % 20000) - 10000;
    }
    return Clip(1, samples);
}

TEST(VoicePiecesTest, ALongSlowClipStaysInBoundedMemoryAndStopsWithinHalfASecond) {
    using Clock = std::chrono::steady_clock;
    const AudioClip clip = SlowClip();
    const long before = PeakKilobytes();
    // Three hours of it; the stop comes while the spectrum is read, then
    // while the recogniser decodes.
    const AnimateInput input = Over(clip, 3 * 3600);
    const std::uint64_t frames = input.range.Length();
    for (const std::uint64_t stopAt : {frames / 2, frames + frames / 50}) {
        Clock::time_point asked{};
        const auto stop = [&](std::uint64_t done, std::uint64_t) {
            if (done < stopAt) {
                return true;
            }
            if (asked == Clock::time_point{}) {
                asked = Clock::now();
            }
            return false;
        };
        EXPECT_FALSE(LipSyncGenerator({}).Generate(input, stop)) << stopAt;
        ASSERT_NE(asked, Clock::time_point{}) << stopAt;
        EXPECT_LT(Clock::now() - asked, std::chrono::milliseconds(500)) << stopAt;
    }
    // The sanitizer's allocator holds freed memory back and adds its own.
    if (!vel::testing::UnderAddressSanitizer) {
        EXPECT_LT(PeakKilobytes() - before, 300 * 1024);
    }
}

TEST(VoicePiecesTest, TheSpokenTextNamesItsUnknownWordsAndFallsBackWhenItIsNotWhatIsSaid) {
    const AudioClip clip = Clip(kSpeechRate, Spoken("moon. moon."));
    const AnimateInput input = Over(clip, Seconds(clip));
    LipSyncSettings settings;
    settings.transcript = "Moon, Gourdglowlight moon!";
    const auto named = LipSyncGenerator(settings).Generate(input, Always);
    ASSERT_TRUE(named);
    EXPECT_EQ(named->method, "Lip sync from the spoken text aligned to the voice; "
                             "'Gourdglowlight' is not in the dictionary: left out.");

    settings.transcript = "Gourdglowlight Vellumar";
    const auto unknown = LipSyncGenerator(settings).Generate(input, Always);
    ASSERT_TRUE(unknown);
    EXPECT_EQ(unknown->method, "Lip sync from the recognised phonemes; 'Gourdglowlight' and "
                               "'Vellumar' are not in the dictionary: left out.");

    for (const char* other :
         {"The quick brown fox jumps over the lazy dog while seven children sing.", "abc xyz"}) {
        settings.transcript = other;
        const auto fallback = LipSyncGenerator(settings).Generate(input, Always);
        ASSERT_TRUE(fallback);
        EXPECT_EQ(fallback->method.rfind("Lip sync from the recognised phonemes; ", 0), 0u)
            << fallback->method;
        EXPECT_NE(fallback->method.find("the spoken text does not match the voice"),
                  std::string::npos)
            << fallback->method;
    }
}

TEST(VoicePiecesTest, ASpokenTextWithoutAWordIsRefusedAndABlankOneIsNoText) {
    const AudioClip clip = Clip(kSpeechRate, Spoken("moon."));
    LipSyncSettings settings;
    for (const char* text : {"123", "?!", " - "}) {
        settings.transcript = text;
        const auto problem = LipSyncGenerator(settings).Problem(Over(clip, Seconds(clip)));
        ASSERT_TRUE(problem) << text;
        EXPECT_EQ(*problem,
                  "The spoken text holds no word: write the words the voice says, or leave it "
                  "empty.");
    }
    for (const char* text : {"", "  ", "Boo", "o'er"}) {
        settings.transcript = text;
        EXPECT_FALSE(LipSyncGenerator(settings).Problem(Over(clip, Seconds(clip)))) << text;
    }
}

} // namespace
} // namespace vel::lumo
