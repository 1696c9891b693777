#include "apps/lumo/render/LoadAudioFile.h"

#include "apps/lumo/audio/LoadWav.h"
#include "apps/lumo/audio/SampleAt.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/TempFolder.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

// Encodes one second of a 440 Hz tone at half scale with the ffmpeg tool
// (its tone generator plays at an eighth of full scale).
std::string Encode(const vel::testing::TempFolder& folder, const std::string& name, int rate,
                   int channels, const std::string& codec) {
    const std::string path = (folder.Path() / name).string();
    const std::string command =
        "ffmpeg -v error -y -f lavfi -i 'sine=frequency=440:sample_rate=" + std::to_string(rate) +
        ":duration=1' -af 'volume=4' -ac " + std::to_string(channels) + " -c:a " + codec + " '" +
        path + "'";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return path;
}

// Sign changes of channel c over the clip: about twice the tone's frequency
// for a one-second clip.
int Crossings(const AudioClip& clip, std::uint32_t channel) {
    const AudioView view(clip);
    const std::uint64_t sampleBytes = clip.bytesPerFrame / clip.channels;
    int crossings = 0;
    float previous = 0;
    for (std::uint64_t i = 0; i < view.FrameCount(); ++i) {
        const float v = SampleAt(view, i * clip.bytesPerFrame + channel * sampleBytes);
        crossings += (v > 0.05f && previous < -0.05f) || (v < -0.05f && previous > 0.05f);
        if (std::fabs(v) > 0.05f)
            previous = v;
    }
    return crossings;
}

float Peak(const AudioClip& clip) {
    float peak = 0;
    const AudioView view(clip);
    for (std::uint64_t i = 0; i < view.FrameCount() * clip.channels; ++i)
        peak = std::max(peak, std::fabs(SampleAt(view, i * (clip.bytesPerFrame / clip.channels))));
    return peak;
}

TEST(LoadAudioFileTest, CompressedFilesDecodeAtTheirRateAndChannelsInSixteenBitsOrFloat) {
    vel::testing::TempFolder folder;
    struct Case {
        std::string name;
        std::string codec;
        int rate;
        int channels;
        SampleFormat format;
    };
    for (const Case& c : {
             Case{"voice.mp3", "libmp3lame", 44100, 1, SampleFormat::F32},
             Case{"voice.ogg", "libvorbis", 22050, 2, SampleFormat::F32},
             Case{"voice.flac", "flac -sample_fmt s16", 48000, 2, SampleFormat::S16},
             Case{"voice.m4a", "aac", 44100, 2, SampleFormat::F32},
             Case{"voice.opus", "libopus", 48000, 1, SampleFormat::F32},
         }) {
        SCOPED_TRACE(c.name);
        const AudioClip clip = LoadAudioFile(Encode(folder, c.name, c.rate, c.channels, c.codec));
        EXPECT_EQ(clip.sampleRate, static_cast<std::uint32_t>(c.rate));
        EXPECT_EQ(clip.channels, static_cast<std::uint32_t>(c.channels));
        EXPECT_EQ(clip.format, c.format);
        EXPECT_EQ(clip.bytesPerFrame, BytesPerSample(c.format) * clip.channels);
        // Encoders pad a little at either end.
        EXPECT_NEAR(AudioView(clip).FrameCount() / double(c.rate), 1.0, 0.1);
        // The tool spreads a mono tone over two channels at 1/√2 each.
        EXPECT_NEAR(Peak(clip), 0.5 / std::sqrt(double(c.channels)), 0.05);
        for (std::uint32_t channel = 0; channel < clip.channels; ++channel)
            EXPECT_NEAR(Crossings(clip, channel), 880, 20) << channel;
    }
}

TEST(LoadAudioFileTest, WavStaysWithTheWavReaderAndUndecodableFilesGiveItsAnswer) {
    vel::testing::TempFolder folder;
    const std::string wav = Encode(folder, "voice.wav", 22050, 1, "pcm_s16le");
    EXPECT_EQ(LoadAudioFile(wav), LoadWav(wav));

    const std::string text = (folder.Path() / "notes.mp3").string();
    std::ofstream(text) << "not a sound at all\n";
    EXPECT_EQ(LoadAudioFile(text), AudioClip{});
    EXPECT_EQ(LoadAudioFile((folder.Path() / "missing.ogg").string()), AudioClip{});
    // Neither reader waits for a pipe to be written.
    for (const char* name : {"pipe.wav", "pipe.mp3", "pipe.ogg"}) {
        const vel::testing::NamedPipe pipe((folder.Path() / name).string());
        EXPECT_TRUE(pipe.RunsWithoutWaiting([&] {
            EXPECT_EQ(LoadAudioFile(pipe.Path()), AudioClip{});
        })) << name;
    }

    // A cut-off file gives what could be decoded.
    const std::string mp3 = Encode(folder, "cut.mp3", 44100, 1, "libmp3lame");
    std::filesystem::resize_file(mp3, std::filesystem::file_size(mp3) / 2);
    const AudioClip cut = LoadAudioFile(mp3);
    EXPECT_NEAR(AudioView(cut).FrameCount() / 44100.0, 0.5, 0.15);
}

} // namespace
} // namespace vel::lumo
