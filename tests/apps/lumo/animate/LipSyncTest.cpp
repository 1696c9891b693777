#include "apps/lumo/animate/KeyReduction.h"
#include "apps/lumo/animate/LipSyncGenerator.h"
#include "apps/lumo/animate/MouthCurves.h"
#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/audio/LoadWav.h"
#include "tests/apps/lumo/animate/AnimationValues.h"
#include "tests/support/NoisyVoice.h"
#include "tests/support/TempFolder.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

using test::Always;
using test::Input;
using test::Values;

constexpr double Fps = 29.97;

// The text spoken by espeak-ng in the voice, then changed by sox's effects
// when given ("pad 1 1.5 reverb 50").
AudioClip Spoken(const std::string& text, const std::string& effects = "",
                 const std::string& voice = "en-us") {
    vel::testing::TempFolder folder;
    const std::string spoken = folder / "spoken.wav";
    const std::string changed = folder / "changed.wav";
    EXPECT_EQ(
        std::system(("espeak-ng -v " + voice + " -w '" + spoken + "' '" + text + "'").c_str()), 0);
    if (effects.empty()) {
        return LoadWav(spoken);
    }
    EXPECT_EQ(std::system(("sox '" + spoken + "' '" + changed + "' " + effects).c_str()), 0);
    return LoadWav(changed);
}

FrameRange Whole(const AudioClip& clip) {
    return {0, static_cast<std::uint32_t>(static_cast<double>(AudioView(clip).FrameCount()) * Fps /
                                          clip.sampleRate)};
}

struct Mouth {
    std::vector<float> open;
    std::vector<float> wide;
    std::vector<float> round;

    Mouth(const Animation& animation, FrameRange range)
        : open(Values(animation, MouthKey, range)), wide(Values(animation, MouthWideKey, range)),
          round(Values(animation, MouthRoundKey, range)) {}

    // Lips seen shut: closed, and neither wide nor round.
    bool Shut(std::size_t f) const {
        return open[f] <= 0.1f && wide[f] <= 0.2f && round[f] <= 0.2f;
    }
    // At rest as in a pause.
    bool Resting(std::size_t f) const {
        return open[f] <= 0.1f && wide[f] <= 0.1f && round[f] <= 0.1f;
    }

    // Syllables that open the mouth, each after the lips were seen shut.
    int OpeningsAfterClosures() const {
        int openings = 0;
        bool shutSince = true;
        for (std::size_t f = 0; f < open.size(); ++f) {
            if (shutSince && open[f] >= 0.3f) {
                ++openings;
                shutSince = false;
            }
            shutSince = shutSince || Shut(f);
        }
        return openings;
    }
};

std::size_t MostKeysInAnySecond(const Animation& animation) {
    const auto window = static_cast<std::uint32_t>(std::ceil(Fps));
    std::size_t most = 0;
    for (const KnobKeys& knob : animation.knobs) {
        for (const Anchor& start : knob.anchors) {
            most = std::max<std::size_t>(
                most, std::count_if(knob.anchors.begin(), knob.anchors.end(), [&](const Anchor& a) {
                    return a.frame >= start.frame && a.frame < start.frame + window;
                }));
        }
    }
    return most;
}

// Every m, b and p between two vowels shuts the lips, so each of the nine
// syllables opens from shut lips; a closure the lips merely dip at would
// join two syllables into one opening.
TEST(LipSyncTest, TheLipsShutOnEveryMBAndPInsideTheirWords) {
    const AudioClip clip = Spoken("Ah ma ma. Ah ba ba. Ah pa pa.");
    const FrameRange range = Whole(clip);
    const auto animation = LipSyncGenerator({}).Generate(Input(range, clip), Always);
    ASSERT_TRUE(animation);
    EXPECT_EQ(animation->method, "Lip sync from the recognised phonemes.");
    EXPECT_EQ(Mouth(*animation, range).OpeningsAfterClosures(), 9);
    EXPECT_LE(MostKeysInAnySecond(*animation), 8u);
}

// Room noise and reverberation under the voice leave the pauses at rest,
// while the voice still opens the mouth.
TEST(LipSyncTest, TheMouthRestsInNoisyAndReverberantPauses) {
    constexpr double Before = 1.0;
    constexpr double After = 1.5;
    const AudioClip dry = Spoken("Ah ma ma. Ah ba ba.", "pad 1 1.5");
    const AudioClip wet = Spoken("Ah ma ma. Ah ba ba.", "pad 1 1.5 reverb 50");
    struct Case {
        const char* what;
        AudioClip clip;
        bool recogniser = true;
    };
    using test::Noise;
    using test::WithNoise;
    const std::vector<Case> cases{
        {"white 30 dB", WithNoise(dry, Noise::White, 30)},
        {"white 20 dB", WithNoise(dry, Noise::White, 20)},
        {"white 10 dB", WithNoise(dry, Noise::White, 10)},
        {"pink 30 dB", WithNoise(dry, Noise::Pink, 30)},
        {"pink 20 dB", WithNoise(dry, Noise::Pink, 20)},
        {"pink 10 dB", WithNoise(dry, Noise::Pink, 10)},
        {"hum 30 dB", WithNoise(dry, Noise::Hum, 30)},
        {"hum 20 dB", WithNoise(dry, Noise::Hum, 20)},
        {"hum 10 dB", WithNoise(dry, Noise::Hum, 10)},
        {"reverberation and pink 20 dB", WithNoise(wet, Noise::Pink, 20)},
        {"pink 20 dB, without the recogniser", WithNoise(dry, Noise::Pink, 20), false},
    };
    for (const Case& c : cases) {
        LipSyncSettings settings;
        settings.useRecogniser = c.recogniser;
        const FrameRange range = Whole(c.clip);
        const auto animation = LipSyncGenerator(settings).Generate(Input(range, c.clip), Always);
        ASSERT_TRUE(animation) << c.what;
        const Mouth mouth(*animation, range);
        // The pauses, a fifth of a second clear of the voice and its echo.
        const auto pause = [&](double from, double to) {
            for (auto f = static_cast<std::size_t>(from * Fps);
                 f < static_cast<std::size_t>(to * Fps); ++f) {
                EXPECT_TRUE(mouth.Resting(f)) << c.what << ", frame " << f << ": " << mouth.open[f]
                                              << " " << mouth.wide[f] << " " << mouth.round[f];
            }
        };
        pause(0.1, Before - 0.2);
        const double seconds = range.end / Fps;
        pause(seconds - After + 0.8, seconds - 0.1);
        EXPECT_GE(*std::max_element(mouth.open.begin(), mouth.open.end()), 0.5f) << c.what;
    }
}

// Frames of a steady voice from frame from on, silent before.
std::vector<VoiceFrame> VoiceFrom(std::size_t from, std::size_t frames) {
    std::vector<VoiceFrame> heard(frames);
    for (std::size_t f = from; f < frames; ++f) {
        heard[f] = {0.3f, 0.5f, 0.3f, 0.1f, 0.0f, {}};
    }
    return heard;
}

// Lips move toward a sound a frame before it is heard, as animators key them.
TEST(LipSyncTest, TheLipsMoveTowardTheNextSoundBeforeItIsHeard) {
    std::vector<std::string> phones(10, "SIL");
    phones.resize(20, "IY");
    phones.resize(30, "UW");
    LipSyncSettings settings;
    settings.smoothing = 0.0f;
    const MouthCurves curves = MouthCurves::From(VoiceFrom(10, 30), phones, settings, Fps);
    EXPECT_EQ(curves.wide[8], 0.0f);
    EXPECT_GE(curves.wide[9], 0.9f);
    EXPECT_LE(curves.round[18], 0.2f);
    EXPECT_GE(curves.round[19], 0.9f);
    // The jaw opens as the voice does, not before.
    EXPECT_EQ(curves.open[9], 0.0f);
    EXPECT_GT(curves.open[10], 0.2f);
}

// A shape heard for one frame between two open shapes would flicker: the
// mouth holds the shape around it instead, while two frames are kept.
TEST(LipSyncTest, AShapeIsHeldLongEnoughToBeSeen) {
    std::vector<std::string> phones(30, "AA");
    phones[10] = "IY";
    phones[20] = "IY";
    phones[21] = "IY";
    LipSyncSettings settings;
    settings.smoothing = 0.0f;
    const MouthCurves curves = MouthCurves::From(VoiceFrom(0, 30), phones, settings, Fps);
    EXPECT_LE(*std::max_element(curves.wide.begin(), curves.wide.begin() + 15), 0.3f);
    EXPECT_GE(curves.wide[19], 0.9f);
    EXPECT_GE(curves.wide[20], 0.9f);
    // A closure is never one to skip.
    phones[10] = "M";
    const MouthCurves closed = MouthCurves::From(VoiceFrom(0, 30), phones, settings, Fps);
    EXPECT_TRUE(closed.shut[9] || closed.shut[10]);
    EXPECT_EQ(closed.open[closed.shut[9] ? 9 : 10], 0.0f);
}

// A busy second inside a quiet range gets no more keys than any other
// second may, and the pinned frames stay whatever the limit.
TEST(LipSyncTest, KeyReductionKeepsEverySecondWithinTheLimitAndThePins) {
    std::vector<float> values(600, 0.2f);
    for (std::size_t f = 300; f < 330; ++f) {
        values[f] = f % 2 == 0 ? 1.0f : 0.0f;
    }
    const std::vector<std::size_t> pins{301, 317, 329};
    const auto keys = ReduceKeys(values, 100, {8, 30}, 0.01f, {pins, {}});
    for (const Anchor& start : keys) {
        EXPECT_LE(std::count_if(keys.begin(), keys.end(),
                                [&](const Anchor& a) {
                                    return a.frame >= start.frame && a.frame < start.frame + 30;
                                }),
                  8)
            << "the second from frame " << start.frame;
    }
    for (const std::size_t pin : pins) {
        EXPECT_TRUE(std::any_of(keys.begin(), keys.end(), [&](const Anchor& a) {
            return a.frame == 100 + pin;
        })) << pin;
    }
    EXPECT_GE(keys.size(), 8u);
    EXPECT_EQ(keys.front().frame, 100u);
    EXPECT_EQ(keys.back().frame, 699u);
}

// Without the recogniser the mouth follows the vowels' formants, so a voice
// in any language rounds on o and u, opens on a, widens on i and e, and
// shuts its lips on m, b and p between vowels.
TEST(LipSyncTest, AVoiceInAnyLanguageShapesTheMouthByItsVowels) {
    struct Case {
        const char* voice;
        const char* text;
        float open;
        float wide;
        float round;
        int openings;
    };
    // The least peak a knob reaches (a negative limit: the most it may reach)
    // and how many times the mouth opens from shut lips (0: any number, as
    // the loudness alone cannot tell an n or t from an m or p).
    const std::vector<Case> cases{
        {"es", "uno", 0.3f, -0.3f, 0.8f, 0},   {"es", "a", 0.8f, -0.3f, -0.3f, 1},
        {"es", "si", 0.2f, 0.8f, -0.3f, 1},    {"es", "ese", 0.3f, 0.5f, -0.3f, 1},
        {"es", "mamá", 0.6f, -0.3f, -0.3f, 2}, {"es", "papá", 0.6f, -0.3f, -0.3f, 2},
        {"de", "Mond", 0.3f, -0.5f, 0.8f, 0},  {"de", "Bitte", 0.2f, 0.7f, -0.5f, 0},
    };
    LipSyncSettings settings;
    settings.useRecogniser = false;
    for (const Case& c : cases) {
        const AudioClip clip = Spoken(c.text, "pad 0.3 0.3", c.voice);
        const FrameRange range = Whole(clip);
        const auto animation = LipSyncGenerator(settings).Generate(Input(range, clip), Always);
        ASSERT_TRUE(animation) << c.text;
        const Mouth mouth(*animation, range);
        const auto expect = [&](const std::vector<float>& row, float limit, const char* knob) {
            const float peak = *std::max_element(row.begin(), row.end());
            if (limit >= 0.0f) {
                EXPECT_GE(peak, limit) << c.voice << " \"" << c.text << "\": " << knob;
            } else {
                EXPECT_LE(peak, -limit) << c.voice << " \"" << c.text << "\": " << knob;
            }
        };
        expect(mouth.open, c.open, "open");
        expect(mouth.wide, c.wide, "wide");
        expect(mouth.round, c.round, "round");
        if (c.openings > 0) {
            EXPECT_EQ(mouth.OpeningsAfterClosures(), c.openings)
                << c.voice << " \"" << c.text << "\"";
        }
    }
}

} // namespace
} // namespace vel::lumo
