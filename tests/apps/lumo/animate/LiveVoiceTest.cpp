#include "apps/lumo/animate/LiveVoice.h"

#include "tests/support/SpokenWords.h"

#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>
#include <numbers>
#include <string>

namespace vel::lumo {
namespace {

constexpr std::size_t Second = LiveVoice::Rate;
// Enough quiet to learn the floor from.
constexpr std::size_t Learnt = LiveVoice::Window + LiveVoice::LearningSteps * LiveVoice::Hop;

// Faint noise, as a quiet room gives a microphone.
std::vector<std::int16_t> Quiet(std::size_t count, unsigned seed = 1) {
    std::vector<std::int16_t> samples(count);
    for (std::int16_t& sample : samples) {
        seed = seed * 1103515245u + 12345u;
        sample = static_cast<std::int16_t>(static_cast<int>((seed >> 16) % 61) - 30);
    }
    return samples;
}

std::vector<std::int16_t> Tone(std::size_t count, double hz, double amplitude) {
    std::vector<std::int16_t> samples(count);
    for (std::size_t i = 0; i < count; ++i) {
        samples[i] = static_cast<std::int16_t>(
            amplitude * 32767 *
            std::sin(2 * std::numbers::pi * hz * static_cast<double>(i) / Second));
    }
    return samples;
}

void Append(std::vector<std::int16_t>& to, const std::vector<std::int16_t>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

// A second of quiet to learn from, then the text spoken, then quiet again.
std::vector<std::int16_t> Spoken(const std::string& text) {
    std::vector<std::int16_t> samples = Quiet(Second);
    Append(samples, test::SpokenWords(text, Second));
    Append(samples, Quiet(Second / 2, 7));
    return samples;
}

std::vector<MouthShape> HeardInPieces(const std::vector<std::int16_t>& samples, std::size_t piece) {
    LiveVoice voice;
    std::vector<MouthShape> steps;
    for (std::size_t at = 0; at < samples.size(); at += piece) {
        const auto part = std::span(samples).subspan(at, std::min(piece, samples.size() - at));
        for (const MouthShape& step : voice.Hear(part)) {
            steps.push_back(step);
        }
    }
    return steps;
}

float Largest(const std::vector<MouthShape>& steps, std::size_t from, std::size_t to,
              float MouthShape::*part) {
    float largest = 0.0f;
    for (std::size_t i = from; i < std::min(to, steps.size()); ++i) {
        largest = std::max(largest, steps[i].*part);
    }
    return largest;
}

TEST(LiveVoiceTest, AVoiceHeardInPiecesGivesTheMouthsItGivesHeardWhole) {
    for (const std::string text : {"Trick or treat! Happy Halloween.", "Boo. Who is there?"}) {
        const std::vector<std::int16_t> samples = Spoken(text);
        const std::vector<MouthShape> whole = HeardInPieces(samples, samples.size());
        ASSERT_EQ(whole.size(), (samples.size() - LiveVoice::Window) / LiveVoice::Hop + 1);
        EXPECT_GT(Largest(whole, 0, whole.size(), &MouthShape::open), 0.5f) << text;
        for (const std::size_t piece : {1u, 37u, 480u, 4096u}) {
            const std::vector<MouthShape> pieces = HeardInPieces(samples, piece);
            ASSERT_EQ(pieces.size(), whole.size());
            for (std::size_t i = 0; i < whole.size(); ++i) {
                ASSERT_NEAR(pieces[i].open, whole[i].open, 1e-5f) << text << piece << " at " << i;
                ASSERT_NEAR(pieces[i].wide, whole[i].wide, 1e-5f) << text << piece << " at " << i;
                ASSERT_NEAR(pieces[i].round, whole[i].round, 1e-5f) << text << piece << " at " << i;
            }
        }
    }
}

// Rests while it learns the floor, talks, rests again in the quiet after.
TEST(LiveVoiceTest, TheMouthRestsWhileLearningAndInPausesAndTalksOverTheFloor) {
    const std::vector<std::int16_t> samples = Spoken("Hello there, pumpkin.");
    const std::vector<MouthShape> steps = HeardInPieces(samples, 480);
    constexpr std::size_t learnt = LiveVoice::LearningSteps;
    const std::size_t tail = steps.size() - 30;
    for (float MouthShape::*part : {&MouthShape::open, &MouthShape::wide, &MouthShape::round}) {
        EXPECT_EQ(Largest(steps, 0, learnt - 1, part), 0.0f);
        EXPECT_LE(Largest(steps, tail, steps.size(), part), 0.1f);
    }
    EXPECT_GT(Largest(steps, learnt, tail, &MouthShape::open), 0.5f);

    // Learnt again in the middle of a loud tone, the tone is the floor.
    LiveVoice voice;
    voice.Hear(Quiet(Learnt));
    ASSERT_FALSE(voice.IsLearning());
    voice.Hear(Tone(Second / 10, 700, 0.3));
    EXPECT_GT(voice.Mouth().open, 0.3f);
    voice.LearnQuiet();
    EXPECT_TRUE(voice.IsLearning());
    EXPECT_EQ(voice.Mouth().open, 0.0f);
    voice.Hear(Tone(Second + Second / 2, 700, 0.3));
    EXPECT_FALSE(voice.IsLearning());
    EXPECT_LE(voice.Mouth().open, 0.1f);
}

TEST(LiveVoiceTest, TheLipsShutOnASharpShortDropAtTheStepItCameIn) {
    LiveVoice voice;
    voice.Hear(Quiet(Learnt));
    voice.Hear(Tone(Second / 5, 700, 0.4));
    ASSERT_GT(voice.Mouth().open, 0.5f);
    const std::vector<MouthShape> gap = voice.Hear(Quiet(LiveVoice::Hop * 3));
    ASSERT_EQ(gap.size(), 3u);
    EXPECT_EQ(gap[1].open, 0.0f) << "the first step wholly in the gap";
    voice.Hear(Tone(Second / 10, 700, 0.4));
    EXPECT_GT(voice.Mouth().open, 0.5f);
}

// A round "oo" keeps its energy low, a wide "ee" puts it high.
TEST(LiveVoiceTest, RoundAndWideVowelsShapeTheMouth) {
    const std::vector<MouthShape> moon = HeardInPieces(Spoken("moo. ooh."), 160);
    const std::vector<MouthShape> see = HeardInPieces(Spoken("see. eee."), 160);
    EXPECT_GT(Largest(moon, 0, moon.size(), &MouthShape::round), 0.5f);
    EXPECT_LT(Largest(moon, 0, moon.size(), &MouthShape::wide), 0.5f);
    EXPECT_GT(Largest(see, 0, see.size(), &MouthShape::wide), 0.5f);
}

} // namespace
} // namespace vel::lumo
