#include "apps/lumo/panes/AudioWnd.h"

#include "apps/lumo/document/AudioCommands.h"
#include "apps/lumo/document/LumoDocument.h"
#include "tests/support/PaneTestHost.h"

#include <algorithm>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace vel::lumo {
namespace {

// An output that plays only when told to and keeps everything queued on it.
class FakeOutput : public AudioOutput {
public:
    AudioHeader Format() const override { return format; }
    bool Start() override {
        started = format.format != SampleFormat::None;
        return started;
    }
    void Stop() override {
        started = false;
        queued = 0;
        ++stops;
    }
    std::uint64_t BufferFrames() const override { return bufferFrames; }
    std::uint64_t FreeFrames() const override { return bufferFrames - queued; }
    std::uint64_t Write(const std::uint8_t* data, std::uint64_t frames) override {
        const std::uint64_t taken = std::min({frames, FreeFrames(), takesAtMost});
        written.insert(written.end(), data, data + taken * format.bytesPerFrame);
        queued += taken;
        return taken;
    }
    std::optional<double> HeardSinceStart() const override { return heard; }

    void Play(std::uint64_t frames) { queued -= frames; }

    AudioHeader format = AudioHeader::Make(48000, SampleFormat::S16, 2);
    std::uint64_t bufferFrames = 4800;
    std::uint64_t takesAtMost = std::numeric_limits<std::uint64_t>::max();
    std::uint64_t queued = 0;
    std::vector<std::uint8_t> written;
    std::optional<double> heard = 0.0;
    bool started = false;
    int stops = 0;
};

// A mono 48 kHz clip whose sample n holds n modulo 32768, so that every
// queued sample tells where it came from.
AudioClip Ramp(std::uint32_t frames) {
    std::vector<std::uint8_t> samples(2 * std::size_t{frames});
    for (std::uint32_t n = 0; n < frames; ++n) {
        const auto value = static_cast<std::int16_t>(n % 32768);
        std::memcpy(samples.data() + 2 * n, &value, 2);
    }
    return AudioClip(AudioHeader::Make(48000, SampleFormat::S16, 1), std::move(samples));
}

class AudioWndTest : public ::testing::Test {
protected:
    void Attach(std::unique_ptr<FakeOutput> fake, AudioClip clip) {
        output = fake.get();
        audio = std::make_unique<AudioWnd>(nullptr, &host, std::move(fake));
        document->SetAudio(clip);
        audio->SetDocument(document.get());
    }
    // The left channel's value of a queued sample frame.
    std::int16_t Queued(std::uint64_t frame) const {
        std::int16_t value = 0;
        std::memcpy(&value, output->written.data() + frame * output->format.bytesPerFrame, 2);
        return value;
    }

    std::unique_ptr<LumoDocument> document = LumoDocument::New();
    test::PaneTestHost host;
    FakeOutput* output = nullptr;
    std::unique_ptr<AudioWnd> audio;
};

TEST_F(AudioWndTest, StartsAtTheFramesSampleAndKeepsTheBufferFullFrameByFrame) {
    Attach(std::make_unique<FakeOutput>(), Ramp(48000 * 11));
    ASSERT_EQ(audio->PlaybackFormat().channels, 2u); // converted to the output's format
    ASSERT_TRUE(audio->Start(300, 29.97));
    EXPECT_TRUE(audio->IsRunning());
    EXPECT_EQ(audio->PlayPosition(), 480480u + 4800u);
    EXPECT_NEAR(Queued(0), 480480 % 32768, 1); // the conversion may round one step down
    EXPECT_EQ(output->written.size(), 4800u * 4);
    EXPECT_DOUBLE_EQ(*audio->HeardSeconds(), 10.01);

    output->Play(1000);
    output->heard = 1000 / 48000.0;
    audio->SetFrame(301);
    EXPECT_EQ(output->written.size(), 5800u * 4); // what was played since the last frame
    EXPECT_NEAR(Queued(4800), (480480 + 4800) % 32768, 1);
    audio->SetFrame(302);
    EXPECT_EQ(output->written.size(), 5800u * 4);
    EXPECT_DOUBLE_EQ(*audio->HeardSeconds(), 10.01 + 1000 / 48000.0);

    // The heard time never runs ahead of what was queued, nor before the start.
    output->heard = 60.0;
    EXPECT_DOUBLE_EQ(*audio->HeardSeconds(), 10.01 + 5800 / 48000.0);
    output->heard = -0.5;
    EXPECT_DOUBLE_EQ(*audio->HeardSeconds(), 10.01);
    output->heard.reset();
    EXPECT_FALSE(audio->HeardSeconds());

    audio->Stop();
    EXPECT_FALSE(audio->IsRunning());
    EXPECT_EQ(output->stops, 1);
    EXPECT_FALSE(audio->HeardSeconds());
}

TEST_F(AudioWndTest, PastTheClipsEndTheOutputGetsSilenceAndThePositionStillAdvances) {
    Attach(std::make_unique<FakeOutput>(), Ramp(1000));
    ASSERT_TRUE(audio->Start(0, 29.97));
    EXPECT_EQ(audio->PlayPosition(), 4800u);
    EXPECT_NEAR(Queued(999), 999, 1);
    for (std::uint64_t frame = 1000; frame < 4800; ++frame) {
        ASSERT_EQ(Queued(frame), 0) << frame;
    }
    output->Play(4800);
    audio->SetFrame(1);
    EXPECT_EQ(audio->PlayPosition(), 9600u);
    EXPECT_TRUE(std::all_of(output->written.begin() + 4800 * 4, output->written.end(),
                            [](std::uint8_t b) { return b == 0; }));

    // Starting beyond the clip plays silence from the start.
    ASSERT_TRUE(audio->Start(100, 29.97));
    EXPECT_EQ(output->stops, 1);
    EXPECT_EQ(audio->PlayPosition(), 160160u + 4800u);
}

TEST_F(AudioWndTest, UnsignedEightBitSilenceIsTheMiddleValueAndPartialWritesAreCounted) {
    auto fake = std::make_unique<FakeOutput>();
    fake->format = AudioHeader::Make(48000, SampleFormat::U8, 1);
    fake->takesAtMost = 300;
    Attach(std::move(fake), Ramp(100));
    ASSERT_TRUE(audio->Start(0, 29.97));
    EXPECT_EQ(audio->PlayPosition(), 400u); // 100 clip frames, then 300 of silence
    EXPECT_EQ(output->written.back(), 0x80);
}

TEST_F(AudioWndTest, WithoutOutputOrSoundThePicturesPlayOnSilently) {
    auto none = std::make_unique<FakeOutput>();
    none->format = AudioHeader{};
    Attach(std::move(none), Ramp(48000));
    EXPECT_EQ(audio->PlaybackFrames(), 0u);
    EXPECT_FALSE(audio->Start(0, 29.97));
    EXPECT_FALSE(audio->IsRunning());
    EXPECT_FALSE(audio->HeardSeconds());
    audio->SetFrame(5);

    Attach(std::make_unique<FakeOutput>(), AudioClip{});
    EXPECT_FALSE(audio->Start(0, 29.97));
    Attach(std::make_unique<FakeOutput>(), Ramp(48000));
    EXPECT_FALSE(audio->Start(0, 0.0));
}

TEST_F(AudioWndTest, ChangedAudioIsTakenUpAndOddClipsGiveNoSound) {
    Attach(std::make_unique<FakeOutput>(), Ramp(48000));
    ASSERT_TRUE(audio->Start(0, 29.97));
    // Loading other audio stops the sound, which no longer belongs to it.
    ASSERT_TRUE(document->Execute(SetAudioCmd(document.get(), Ramp(24000))));
    EXPECT_FALSE(audio->IsRunning());
    EXPECT_EQ(audio->PlaybackFrames(), 24000u);

    for (auto [rate, channels] : {std::pair{0u, 1u}, {48000u, 0u}, {4000000000u, 1u}}) {
        const AudioClip ramp = Ramp(4800);
        AudioHeader header = ramp;
        header.sampleRate = rate;
        header.channels = channels;
        ASSERT_TRUE(
            document->Execute(SetAudioCmd(document.get(), AudioClip(header, ramp.Samples()))));
        EXPECT_LE(audio->PlaybackFrames(), 1u) << rate << " " << channels;
    }
}

// At 1 Hz a clip of 220,500 samples lasts 61 hours: at the output's rate that
// is tens of gigabytes, which the pane must never make at once. It plays from
// anywhere, the samples in between interpolated, whether it comes with the
// document or is loaded into it.
TEST_F(AudioWndTest, LowRateClipsPlayWithoutBeingConvertedWhole) {
    for (const std::uint32_t samples : {20000u, 220500u}) {
        SCOPED_TRACE(samples);
        AudioClip clip = Ramp(samples);
        AudioHeader header = clip;
        header.sampleRate = 1;
        clip = AudioClip(header, clip.Samples());
        Attach(std::make_unique<FakeOutput>(), clip);
        EXPECT_EQ(audio->PlaybackFrames(), std::uint64_t{samples} * 48000);
        // Frame 1000 at 1 frame per second is sample 1000: ramp value 1000.
        ASSERT_TRUE(audio->Start(1000, 1.0));
        EXPECT_EQ(audio->PlayPosition(), 1000u * 48000 + 4800);
        EXPECT_EQ(Queued(0), 999); // 1000 × 32767 / 32767.5, cut towards zero
        // A tenth of a second on, a tenth of the way to the next sample.
        EXPECT_NEAR(Queued(4799), 1000.1, 1.0);

        // The last samples, then silence.
        output->written.clear();
        ASSERT_TRUE(audio->Start(samples - 1, 1.0));
        EXPECT_NEAR(Queued(0), (samples - 1) % 32768, 1.0);
        while (audio->PlayPosition() < audio->PlaybackFrames()) {
            output->Play(output->queued);
            audio->SetFrame(samples - 1);
        }
        output->Play(output->queued);
        output->written.clear();
        audio->SetFrame(samples);
        EXPECT_EQ(output->written.size(), 4800u * 4);
        EXPECT_TRUE(std::all_of(output->written.begin(), output->written.end(),
                                [](std::uint8_t b) { return b == 0; }));

        audio.reset();
        document = LumoDocument::New();
        Attach(std::make_unique<FakeOutput>(), AudioClip{});
        ASSERT_TRUE(document->Execute(SetAudioCmd(document.get(), clip)));
        EXPECT_EQ(audio->PlaybackFrames(), std::uint64_t{samples} * 48000);
    }
}

} // namespace
} // namespace vel::lumo
