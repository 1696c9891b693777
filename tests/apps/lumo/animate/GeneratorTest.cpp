#include "apps/lumo/animate/BlinkGenerator.h"
#include "apps/lumo/animate/FlickerGenerator.h"
#include "apps/lumo/animate/KeyReduction.h"
#include "apps/lumo/animate/LipSyncGenerator.h"
#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/audio/LoadWav.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "tests/apps/lumo/animate/AnimationValues.h"
#include "tests/support/TempFolder.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <numbers>

namespace vel::lumo {
namespace {

using test::Always;
using test::Input;
using test::KeysOf;
using test::Values;

constexpr std::uint32_t kRate = 16000;

// Seconds of silence, of a sung "ah" at the given loudness (a buzz with the
// resonances of an open mouth), and of silence.
AudioClip SilenceToneSilence(double before, double tone, double after, double loudness = 0.5) {
    std::vector<std::int16_t> samples(static_cast<std::size_t>((before + tone + after) * kRate));
    const auto first = static_cast<std::size_t>(before * kRate);
    for (std::size_t i = first; i < first + static_cast<std::size_t>(tone * kRate); ++i) {
        double value = 0.0;
        for (int harmonic = 1; harmonic <= 25; ++harmonic) {
            const double f = 140.0 * harmonic;
            const double amplitude = 0.2 / harmonic + std::exp(-std::pow((f - 700) / 150, 2)) +
                                     0.7 * std::exp(-std::pow((f - 1150) / 200, 2));
            value +=
                amplitude * std::sin(2 * std::numbers::pi * f * static_cast<double>(i) / kRate);
        }
        samples[i] = static_cast<std::int16_t>(loudness * 12000.0 * value);
    }
    std::vector<std::uint8_t> bytes(samples.size() * 2);
    std::memcpy(bytes.data(), samples.data(), bytes.size());
    return AudioClip(AudioHeader::Make(kRate, SampleFormat::S16, 1), std::move(bytes));
}

void ExpectInside(const Animation& animation, FrameRange range) {
    for (const KnobKeys& knob : animation.knobs) {
        ASSERT_FALSE(knob.anchors.empty());
        EXPECT_EQ(knob.anchors.front().frame, range.first) << knob.key.Text();
        for (std::size_t i = 0; i < knob.anchors.size(); ++i) {
            EXPECT_LT(knob.anchors[i].frame, range.end) << knob.key.Text();
            if (i > 0) {
                EXPECT_GT(knob.anchors[i].frame, knob.anchors[i - 1].frame) << knob.key.Text();
            }
        }
    }
}

TEST(GeneratorTest, ASeedGivesTheSameBlinksInsideTheRangeAndAnotherSeedOthers) {
    const FrameRange range{100, 100 + 1800};
    const auto first = BlinkGenerator({15.0f, 7}).Generate(Input(range), Always);
    const auto again = BlinkGenerator({15.0f, 7}).Generate(Input(range), Always);
    const auto other = BlinkGenerator({15.0f, 8}).Generate(Input(range), Always);
    ASSERT_TRUE(first && again && other);
    EXPECT_EQ(KeysOf(*first, EyeBlinkKey), KeysOf(*again, EyeBlinkKey));
    EXPECT_NE(KeysOf(*first, EyeBlinkKey), KeysOf(*other, EyeBlinkKey));
    ExpectInside(*first, range);
    const auto eyes = Values(*first, EyeBlinkKey, range);
    EXPECT_EQ(*std::max_element(eyes.begin(), eyes.end()), 1.0f);
    EXPECT_EQ(eyes.front(), 0.0f);
    EXPECT_EQ(eyes.back(), 0.0f);
}

TEST(GeneratorTest, TheBlinkRateSetsHowOftenTheEyesClose) {
    const FrameRange range{0, 6000};
    const auto count = [&](float perMinute) {
        const auto blinks = BlinkGenerator({perMinute, 3}).Generate(Input(range), Always);
        const auto& keys = KeysOf(*blinks, EyeBlinkKey);
        return std::count_if(keys.begin(), keys.end(),
                             [](const Anchor& a) { return a.value == 1.0f; });
    };
    EXPECT_GT(count(30.0f), count(10.0f) * 2);
    EXPECT_TRUE(BlinkGenerator({0.0f, 1}).Problem(Input(range)).has_value());
    EXPECT_TRUE(BlinkGenerator({15.0f, 1}).Problem(Input({50, 50})).has_value());
}

// Between the range's first and last keys, each blink is four keys: open,
// shut two frames later, still shut a frame after that, open three more on.
TEST(GeneratorTest, EachBlinkClosesHoldsAndOpensInItsFrames) {
    const FrameRange range{0, 6000};
    const auto blinks = BlinkGenerator({30.0f, 3}).Generate(Input(range), Always);
    ASSERT_TRUE(blinks);
    const std::vector<Anchor>& keys = KeysOf(*blinks, EyeBlinkKey);
    ASSERT_GE(keys.size(), 2u + 4u * 20u);
    EXPECT_EQ(keys.back().frame, range.end - 1);
    ASSERT_EQ((keys.size() - 2) % 4, 0u);
    for (std::size_t i = 1; i + 1 < keys.size(); i += 4) {
        const std::uint32_t start = keys[i].frame;
        EXPECT_EQ(keys[i].value, 0.0f) << "the blink at " << start;
        EXPECT_EQ(keys[i + 1].frame, start + 2) << "the blink at " << start;
        EXPECT_EQ(keys[i + 1].value, 1.0f) << "the blink at " << start;
        EXPECT_EQ(keys[i + 2].frame, start + 3) << "the blink at " << start;
        EXPECT_EQ(keys[i + 2].value, 1.0f) << "the blink at " << start;
        EXPECT_EQ(keys[i + 3].frame, start + 6) << "the blink at " << start;
        EXPECT_EQ(keys[i + 3].value, 0.0f) << "the blink at " << start;
    }
}

TEST(GeneratorTest, TheFlickerWandersAroundTheStartValueAndASeedRepeatsIt) {
    const FrameRange range{30, 630};
    AnimateInput input = Input(range);
    input.startValues[CandleLightnessKey] = 0.6f;
    input.startValues[CandleHueKey] = 40.0f;
    const FlickerSettings settings{0.1f, 1.0f, true, 5};
    const auto flame = FlickerGenerator(settings).Generate(input, Always);
    const auto again = FlickerGenerator(settings).Generate(input, Always);
    ASSERT_TRUE(flame && again);
    EXPECT_EQ(KeysOf(*flame, CandleLightnessKey), KeysOf(*again, CandleLightnessKey));
    EXPECT_EQ(KeysOf(*flame, CandleHueKey), KeysOf(*again, CandleHueKey));
    ExpectInside(*flame, range);
    const auto light = Values(*flame, CandleLightnessKey, range);
    EXPECT_EQ(light.front(), 0.6f);
    EXPECT_EQ(light.back(), 0.6f);
    for (const float value : light) {
        EXPECT_NEAR(value, 0.6f, 0.1f + 1e-5f);
    }
    EXPECT_GT(*std::max_element(light.begin(), light.end()) -
                  *std::min_element(light.begin(), light.end()),
              0.05f);
    EXPECT_LE(KeysOf(*flame, CandleLightnessKey).size(), 8u * 20u);
    // Without the hue only the lightness is keyed.
    const auto lightOnly = FlickerGenerator({0.1f, 1.0f, false, 5}).Generate(input, Always);
    EXPECT_EQ(lightOnly->knobs.size(), 1u);
    EXPECT_EQ(KeysOf(*lightOnly, CandleLightnessKey), KeysOf(*flame, CandleLightnessKey));
}

TEST(GeneratorTest, GeneratorsStopWhenProgressSaysSo) {
    const auto stop = [](std::uint64_t, std::uint64_t) {
        return false;
    };
    const FrameRange range{0, 3000};
    EXPECT_FALSE(BlinkGenerator({15.0f, 1}).Generate(Input(range), stop));
    EXPECT_FALSE(FlickerGenerator({}).Generate(Input(range), stop));
    LipSyncSettings settings;
    settings.useRecogniser = false;
    const AnimateInput voice = Input({0, 90}, SilenceToneSilence(1, 1, 1));
    EXPECT_FALSE(LipSyncGenerator(settings).Generate(voice, stop));
    settings.useRecogniser = true;
    EXPECT_FALSE(LipSyncGenerator(settings).Generate(voice, stop));
}

TEST(GeneratorTest, LipSyncWithoutAudioSaysSoClearly) {
    const auto document = LumoDocument::New();
    const auto problem = LipSyncGenerator({}).Problem(AnimateInput::From(*document, {0, 100}));
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find("no voice"), std::string::npos);
    // A range beyond the clip's end has nothing to follow either.
    EXPECT_TRUE(LipSyncGenerator({}).Problem(Input({200, 300}, SilenceToneSilence(1, 1, 1))));
}

TEST(GeneratorTest, TheMouthOpensWithTheVoiceAndShutsInSilenceWithinTheRange) {
    // Frames 0..30 silent, 30..60 a tone, 60..90 silent; the range leaves out the first ten.
    const FrameRange range{10, 90};
    LipSyncSettings settings;
    settings.useRecogniser = false;
    const auto animation =
        LipSyncGenerator(settings).Generate(Input(range, SilenceToneSilence(1, 1, 1)), Always);
    ASSERT_TRUE(animation);
    ExpectInside(*animation, range);
    EXPECT_NE(animation->method.find("loudness"), std::string::npos);
    const auto mouth = Values(*animation, MouthKey, range);
    for (const std::uint32_t f : {12u, 20u, 26u, 64u, 75u, 89u}) {
        EXPECT_LE(mouth[f - range.first], 0.15f) << "frame " << f;
    }
    EXPECT_GE(*std::max_element(mouth.begin() + 22, mouth.begin() + 48), 0.5f);
    for (const KnobKeys& knob : animation->knobs) {
        EXPECT_LE(knob.anchors.size(), static_cast<std::size_t>(8 * 80 / 29.97) + 1);
    }
}

TEST(GeneratorTest, ALouderVoiceOpensTheMouthWider) {
    LipSyncSettings settings;
    settings.useRecogniser = false;
    // A quiet tone first, then the same tone far louder.
    AudioClip quiet = SilenceToneSilence(0.5, 1, 0, 0.06);
    AudioClip loud = SilenceToneSilence(0, 1, 0.5, 0.6);
    std::vector<std::uint8_t> bytes = quiet.Samples();
    bytes.insert(bytes.end(), loud.Samples().begin(), loud.Samples().end());
    const AudioClip both(quiet, std::move(bytes));
    const FrameRange range{0, 89};
    const auto animation = LipSyncGenerator(settings).Generate(Input(range, both), Always);
    const auto mouth = Values(*animation, MouthKey, range);
    EXPECT_LT(mouth[30] + 0.2f, mouth[60]);
}

TEST(GeneratorTest, TheRecogniserHearsARoundVowelAndTheSpokenTextAlignsIt) {
    vel::testing::TempFolder folder;
    const std::string wav = folder / "moon.wav";
    ASSERT_EQ(std::system(("espeak-ng -v en-us -w '" + wav + "' 'moon. moon.'").c_str()), 0);
    const AudioClip clip = LoadWav(wav);
    const auto frames =
        static_cast<std::uint32_t>(AudioView(clip).FrameCount() * 29.97 / clip.sampleRate);
    const FrameRange range{0, frames};
    const auto animation = LipSyncGenerator({}).Generate(Input(range, clip), Always);
    ASSERT_TRUE(animation);
    EXPECT_EQ(animation->method, "Lip sync from the recognised phonemes.");
    // Round and not wide, as an "oo" mapped like an "ee" would be.
    const auto round = Values(*animation, MouthRoundKey, range);
    EXPECT_GE(*std::max_element(round.begin(), round.end()), 0.8f);
    const auto wide = Values(*animation, MouthWideKey, range);
    EXPECT_LE(*std::max_element(wide.begin(), wide.end()), 0.5f);

    LipSyncSettings withText;
    withText.transcript = "Moon, moon!";
    const auto aligned = LipSyncGenerator(withText).Generate(Input(range, clip), Always);
    EXPECT_EQ(aligned->method, "Lip sync from the spoken text aligned to the voice.");
}

TEST(GeneratorTest, KeyReductionKeepsTheCornersOfTheCurveWithinTheLimit) {
    // A straight ramp needs only its ends; a peak needs its top too.
    EXPECT_EQ(ReduceKeys({0.0f, 0.25f, 0.5f, 0.75f, 1.0f}, 10, {100, 30}, 0.01f),
              (std::vector<Anchor>{{10, 0.0f}, {14, 1.0f}}));
    EXPECT_EQ(ReduceKeys({0.0f, 0.5f, 1.0f, 0.5f, 0.0f}, 0, {100, 30}, 0.01f),
              (std::vector<Anchor>{{0, 0.0f}, {2, 1.0f}, {4, 0.0f}}));
    std::vector<float> noise;
    for (int i = 0; i < 300; ++i) {
        noise.push_back(static_cast<float>((i * 7919) % 13) / 13.0f);
    }
    const auto keys = ReduceKeys(noise, 0, {40, 300}, 0.0f);
    EXPECT_EQ(keys.size(), 40u);
    EXPECT_EQ(keys.front().frame, 0u);
    EXPECT_EQ(keys.back().frame, 299u);
    EXPECT_TRUE(ReduceKeys({}, 0, {10, 30}, 0.1f).empty());
}

} // namespace
} // namespace vel::lumo
