#include "apps/lumo/animate/TakeRecorder.h"

#include "apps/lumo/animate/LipSyncGenerator.h"
#include "tests/support/CommandFixture.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <gmock/gmock.h>

namespace vel::lumo::test {
namespace {

using ::testing::ElementsAre;
using ::testing::FloatNear;

// The microphone's sound: 16-bit mono at 16 kHz, in pieces of 10 ms.
const AudioHeader Voice = AudioHeader::Make(16000, SampleFormat::S16, 1);
constexpr std::size_t Piece = 160;

std::vector<Anchor> AnchorsOf(const LumoDocument& document, const KnobKey& key) {
    const KnobTrack* track = document.GetTimeline().FindTrack(key);
    return track ? track->GetAnchors() : std::vector<Anchor>{};
}

std::vector<std::uint8_t> Level(std::int16_t sample, std::size_t count) {
    std::vector<std::uint8_t> bytes(count * sizeof sample);
    for (std::size_t i = 0; i < count; ++i) {
        std::memcpy(bytes.data() + i * sizeof sample, &sample, sizeof sample);
    }
    return bytes;
}

class TakeRecorderTest : public CommandTest {
protected:
    // Feeds that many pieces of the level; the live values of piece i.
    TakeRecorder Record(std::uint32_t first, std::size_t pieces, std::int16_t level,
                        const std::function<KnobValues(std::size_t)>& live) const {
        TakeRecorder take(Voice, doc_->GetFrameRate(), first);
        for (std::size_t i = 0; i < pieces; ++i) {
            take.Hear(Level(level, Piece), live(i));
        }
        return take;
    }

    void GiveClip(const AudioClip& clip) {
        AudioClip given = clip;
        doc_->SetAudio(given);
    }
};

TEST_F(TakeRecorderTest, TheClipAndTheKeysAreOneStepThatUndoesAndRedoes) {
    const Snapshot before = Take();
    // A second of sound from frame 10, the mouth opening steadily, the eyes shut.
    const TakeRecorder take = Record(10, 100, 1000, [](std::size_t i) {
        return KnobValues{{Mouth, static_cast<float>(i) / 100.0f}, {Blink, 1.0f}};
    });
    // Frames start every 1/29.97 s: thirty of them begin within the second.
    EXPECT_EQ(take.FrameCount(), 30u);
    ASSERT_TRUE(take.Apply(*doc_));
    EXPECT_EQ(doc_->GetUndoCount(), 1u);
    EXPECT_EQ(doc_->GetUndoName(), "Record Take");

    // The sound starts at frame 10 of a document that had none: silence before it.
    const AudioClip& clip = doc_->GetAudio();
    EXPECT_EQ(static_cast<const AudioHeader&>(clip), Voice);
    const std::size_t silent = 5339 * 2; // 10 / 29.97 s at 16 kHz
    ASSERT_EQ(clip.Samples().size(), silent + 100 * Piece * 2);
    EXPECT_TRUE(std::all_of(clip.Samples().begin(), clip.Samples().begin() + silent,
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(std::vector<std::uint8_t>(clip.Samples().begin() + silent, clip.Samples().end()),
              Level(1000, 100 * Piece));

    // A steady opening needs only its ends; the new knob's first key keeps its place.
    const std::vector<Anchor> mouth = AnchorsOf(*doc_, Mouth);
    ASSERT_EQ(mouth.size(), 3u);
    EXPECT_EQ(mouth[1].frame, 10u);
    EXPECT_THAT(mouth[1].value, FloatNear(0.0f, 0.01f));
    EXPECT_EQ(mouth[2].frame, 39u);
    EXPECT_THAT(mouth[2].value, FloatNear(0.96f, 0.01f));
    // The blink key at 30 lay inside the take and went; those at 0 and 60 stay.
    EXPECT_THAT(AnchorsOf(*doc_, Blink), ElementsAre(Anchor{0, 0.1f}, Anchor{10, 1.0f},
                                                     Anchor{39, 1.0f}, Anchor{60, 0.25f}));
    const Snapshot done = Take();

    ASSERT_TRUE(doc_->Undo());
    EXPECT_EQ(Take(), before);
    ASSERT_TRUE(doc_->Redo());
    EXPECT_EQ(Take(), done);
}

TEST_F(TakeRecorderTest, NoSoundChangesNothingAndSilenceRecordsAMouthAtRest) {
    const Snapshot before = Take();
    TakeRecorder nothing(Voice, doc_->GetFrameRate(), 0);
    EXPECT_FALSE(nothing.Apply(*doc_));
    // Half a sample reaches no frame.
    nothing.Hear(std::vector<std::uint8_t>{7}, {{Mouth, 1.0f}});
    EXPECT_EQ(nothing.FrameCount(), 0u);
    EXPECT_FALSE(nothing.Apply(*doc_));
    EXPECT_EQ(doc_->GetUndoCount(), 0u);
    EXPECT_FALSE(doc_->IsModified());
    EXPECT_EQ(Take(), before);

    const TakeRecorder quiet = Record(0, 50, 0, [](std::size_t) {
        return KnobValues{{Mouth, 0.0f}};
    });
    ASSERT_TRUE(quiet.Apply(*doc_));
    const AudioClip& clip = doc_->GetAudio();
    EXPECT_EQ(clip.Samples().size(), 50 * Piece * 2);
    EXPECT_TRUE(std::all_of(clip.Samples().begin(), clip.Samples().end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_THAT(AnchorsOf(*doc_, Mouth), ElementsAre(Anchor{0, 0.0f}, Anchor{14, 0.0f}));
}

// A jittering mouth is reduced as lip sync's is: never more keys in a second
// than the limit allows.
TEST_F(TakeRecorderTest, KeysStayWithinTheLimitOfEachSecond) {
    const TakeRecorder take = Record(0, 300, 1000, [](std::size_t i) {
        return KnobValues{{Mouth, static_cast<float>((i * 7) % 10) / 9.0f}};
    });
    ASSERT_TRUE(take.Apply(*doc_));
    const std::vector<Anchor> anchors = AnchorsOf(*doc_, Mouth);
    const KeyLimit limit = LipSyncGenerator::Limit(doc_->GetFrameRate() / 1000.0);
    EXPECT_GT(anchors.size(), limit.keys);
    for (const Anchor& from : anchors) {
        const auto within = std::count_if(anchors.begin(), anchors.end(), [&](const Anchor& a) {
            return a.frame >= from.frame && a.frame < from.frame + limit.frames;
        });
        EXPECT_LE(static_cast<std::size_t>(within), limit.keys) << "from frame " << from.frame;
    }
}

// A knob live for part of the take (an expression key held a while) follows
// the timeline where it was not live.
TEST_F(TakeRecorderTest, AKnobLiveForPartOfTheTakeKeepsTheTimelineElsewhere) {
    const float early = *doc_->GetTimeline().ValueAt(Blink, 6);
    const TakeRecorder take = Record(0, 100, 1000, [](std::size_t i) {
        return i < 50 ? KnobValues{} : KnobValues{{Blink, 1.0f}};
    });
    ASSERT_TRUE(take.Apply(*doc_));
    EXPECT_THAT(*doc_->GetTimeline().ValueAt(Blink, 6),
                FloatNear(early, LipSyncGenerator::KeyTolerance));
    EXPECT_THAT(*doc_->GetTimeline().ValueAt(Blink, 25), FloatNear(1.0f, 0.001f));
}

// A take into a clip keeps the clip's format and its sound around the take.
TEST_F(TakeRecorderTest, TheClipsSoundAroundTheTakeStaysInItsFormat) {
    const AudioHeader stereo = AudioHeader::Make(8000, SampleFormat::U8, 2);
    std::vector<std::uint8_t> samples(2 * 8000 * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<std::uint8_t>(i % 7);
    }
    GiveClip({stereo, samples});
    // Half a second at half of full scale from frame 15, 4004 sample frames in.
    ASSERT_TRUE(Record(15, 50, 16384, [](std::size_t) {
                    return KnobValues{{Mouth, 0.5f}};
                }).Apply(*doc_));
    const AudioClip& clip = doc_->GetAudio();
    EXPECT_EQ(static_cast<const AudioHeader&>(clip), stereo);
    ASSERT_EQ(clip.Samples().size(), samples.size());
    const std::size_t start = 4004 * 2;
    const std::size_t end = start + 4000 * 2;
    EXPECT_TRUE(std::equal(samples.begin(), samples.begin() + start, clip.Samples().begin()));
    EXPECT_TRUE(std::equal(samples.begin() + end, samples.end(), clip.Samples().begin() + end));
    EXPECT_TRUE(std::all_of(clip.Samples().begin() + start + 2, clip.Samples().begin() + end - 2,
                            [](std::uint8_t b) { return b >= 190 && b <= 192; }));

    // A take beyond the clip's end reaches it through the format's silence, mid-scale.
    ASSERT_TRUE(Record(90, 10, 0, [](std::size_t) {
                    return KnobValues{{Mouth, 0.0f}};
                }).Apply(*doc_));
    const std::vector<std::uint8_t>& longer = doc_->GetAudio().Samples();
    ASSERT_EQ(longer.size(), (24024 + 800) * 2u); // 90 / 29.97 s at 8 kHz, then the take
    EXPECT_TRUE(std::all_of(longer.begin() + static_cast<std::ptrdiff_t>(samples.size()),
                            longer.end(), [](std::uint8_t b) { return b == 127 || b == 128; }));
}

} // namespace
} // namespace vel::lumo::test
