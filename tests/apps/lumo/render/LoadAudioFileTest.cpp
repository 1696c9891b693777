#include "apps/lumo/render/LoadAudioFile.h"

#include "apps/lumo/audio/LoadWav.h"
#include "apps/lumo/audio/SampleAt.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

namespace vel::lumo {
namespace {

// Encodes seconds (one unless told) of a 440 Hz tone at half scale with the ffmpeg tool
// (its tone generator plays at an eighth of full scale).
std::string Encode(const vel::testing::TempFolder& folder, const std::string& name, int rate,
                   int channels, const std::string& codec, int seconds = 1) {
    const std::string path = (folder.Path() / name).string();
    const std::string command =
        "ffmpeg -v error -y -f lavfi -i 'sine=frequency=440:sample_rate=" + std::to_string(rate) +
        ":duration=" + std::to_string(seconds) + "' -af 'volume=4' -ac " +
        std::to_string(channels) + " -c:a " + codec + " '" + path + "'";
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
        if (std::fabs(v) > 0.05f) {
            previous = v;
        }
    }
    return crossings;
}

float Peak(const AudioClip& clip) {
    float peak = 0;
    const AudioView view(clip);
    for (std::uint64_t i = 0; i < view.FrameCount() * clip.channels; ++i) {
        peak = std::max(peak, std::fabs(SampleAt(view, i * (clip.bytesPerFrame / clip.channels))));
    }
    return peak;
}

// Lossy sources are held as 16-bit samples, which is more than they keep;
// only deeper and float sources take float.
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
             Case{"voice.mp3", "libmp3lame", 44100, 1, SampleFormat::S16},
             Case{"voice.ogg", "libvorbis", 22050, 2, SampleFormat::S16},
             Case{"voice.flac", "flac -sample_fmt s16", 48000, 2, SampleFormat::S16},
             Case{"voice.m4a", "aac", 44100, 2, SampleFormat::S16},
             Case{"voice.opus", "libopus", 48000, 1, SampleFormat::S16},
             Case{"deep.flac", "flac -sample_fmt s32", 96000, 2, SampleFormat::F32},
             Case{"float.caf", "pcm_f32le", 32000, 1, SampleFormat::F32},
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
        for (std::uint32_t channel = 0; channel < clip.channels; ++channel) {
            EXPECT_NEAR(Crossings(clip, channel), 880, 20) << channel;
        }
    }
}

void Write(const std::string& path, const test::Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

test::Bytes Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return test::Bytes(std::istreambuf_iterator<char>(in), {});
}

// Fills the range with noise that is the same on every run.
void Scramble(test::Bytes::iterator begin, test::Bytes::iterator end) {
    std::uint32_t state = 12345;
    for (auto byte = begin; byte != end; ++byte) {
        state = state * 1103515245 + 12345;
        *byte = static_cast<std::uint8_t>(state >> 16);
    }
}

// The reason LoadAudioFile gives for the file, or "" when it loads.
std::string Reason(const std::string& path, std::uint64_t memoryLimit = AvailableMemory()) {
    try {
        LoadAudioFile(path, memoryLimit);
        return "";
    } catch (const video::AudioFileError& error) {
        return error.what();
    }
}

TEST(LoadAudioFileTest, WavStaysWithTheWavReaderAndCutFilesGiveWhatTheyHold) {
    vel::testing::TempFolder folder;
    const std::string wav = Encode(folder, "voice.wav", 22050, 1, "pcm_s16le");
    EXPECT_EQ(LoadAudioFile(wav), LoadWav(wav));

    const std::string mp3 = Encode(folder, "cut.mp3", 44100, 1, "libmp3lame");
    std::filesystem::resize_file(mp3, std::filesystem::file_size(mp3) / 2);
    const AudioClip cut = LoadAudioFile(mp3);
    EXPECT_NEAR(AudioView(cut).FrameCount() / 44100.0, 0.5, 0.15);

    // Damage at the start or in the middle is skipped; the rest still plays.
    const std::string holed = Encode(folder, "holed.mp3", 44100, 1, "libmp3lame");
    test::Bytes bytes = Read(holed);
    std::fill(bytes.begin(), bytes.begin() + 1000, 0);
    std::fill(bytes.begin() + bytes.size() / 2, bytes.begin() + bytes.size() / 2 + 500, 0);
    Write(holed, bytes);
    EXPECT_NEAR(AudioView(LoadAudioFile(holed)).FrameCount() / 44100.0, 1.0, 0.25);
}

// Files that give no sound at all say why, and never pass for a clip.
TEST(LoadAudioFileTest, FilesWithoutSoundNameTheReason) {
    vel::testing::TempFolder folder;
    const auto path = [&](const std::string& name) {
        return (folder.Path() / name).string();
    };

    EXPECT_EQ(Reason(path("missing.ogg")), "the file does not exist");
    Write(path("empty.wav"), {});
    EXPECT_EQ(Reason(path("empty.wav")), "not a sound file");
    std::ofstream(path("notes.ogg")) << "not a sound at all\n";
    EXPECT_EQ(Reason(path("notes.ogg")), "not a sound file");
    test::Bytes noise(20000);
    Scramble(noise.begin(), noise.end());
    Write(path("noise.mp3"), noise);
    EXPECT_EQ(Reason(path("noise.mp3")), "not a sound file");
    // Neither reader waits for a pipe to be written.
    for (const char* name : {"pipe.wav", "pipe.mp3", "pipe.ogg"}) {
        const vel::testing::NamedPipe pipe(path(name));
        EXPECT_TRUE(pipe.RunsWithoutWaiting([&] {
            EXPECT_EQ(Reason(pipe.Path()), "not a regular file");
        })) << name;
    }

    // Headers zeroed: nothing says what the rest is, or the rest cannot be read.
    for (const auto& [name, codec, reason] :
         {std::tuple{"zeroed.ogg", "libvorbis", "not a sound file"},
          {"zeroed.wav", "pcm_s16le", "not a sound file"},
          {"zeroed.m4a", "aac", "not a sound file"}}) {
        test::Bytes bytes = Read(Encode(folder, name, 44100, 1, codec));
        std::fill(bytes.begin(), bytes.begin() + 4096, 0);
        Write(path(name), bytes);
        EXPECT_EQ(Reason(path(name)).substr(0, std::string(reason).size()), reason) << name;
    }

    // Cut off before the first sound.
    for (const auto& [name, codec] :
         {std::pair{"cut.m4a", "aac"}, {"cut.ogg", "libvorbis"}, {"cut.opus", "libopus"}}) {
        const std::string file = Encode(folder, name, 44100, 2, codec);
        std::filesystem::resize_file(file, 200);
        EXPECT_EQ(Reason(file), "cut off at byte 200") << name;
    }

    // Every packet noise: the container is whole, the sound is damaged from
    // its first packet on.
    const std::string noisy = path("noisy.m4a");
    const std::string faststart = "ffmpeg -v error -y -f lavfi -i sine=d=1 -c:a aac "
                                  "-movflags +faststart '" +
                                  noisy + "'";
    ASSERT_EQ(std::system(faststart.c_str()), 0);
    test::Bytes bytes = Read(noisy);
    const test::Bytes mdat = test::Tag("mdat");
    const auto payload = std::search(bytes.begin(), bytes.end(), mdat.begin(), mdat.end()) + 4;
    Scramble(payload, bytes.end());
    Write(noisy, bytes);
    EXPECT_EQ(Reason(noisy), "damaged at byte " + std::to_string(payload - bytes.begin()));

    // No channels: the WAV reader's header without samples, which nothing decodes.
    Write(path("silent.wav"), test::Riff({test::Chunk("fmt ", test::Fmt{.channels = 0}.Body()),
                                          test::Chunk("data", test::Bytes(400, 1))}));
    EXPECT_EQ(Reason(path("silent.wav")), "no sound stream");

    const std::string video = path("picture.mp4");
    const std::string command =
        "ffmpeg -v error -y -f lavfi -i testsrc=d=1:s=64x64 -c:v mpeg4 '" + video + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_EQ(Reason(video), "no sound stream");
}

// The listener follows the reading from the first samples to the whole
// clip, WAV files too, and can stop it between two pieces.
TEST(LoadAudioFileTest, TheListenerSeesTheSamplesGrowAndCanStopTheReading) {
    vel::testing::TempFolder folder;
    for (const char* name : {"tone.mp3", "tone.wav"}) {
        SCOPED_TRACE(name);
        // Long enough to be read in several pieces.
        const std::string file =
            Encode(folder, name, 44100, 2, name[5] == 'm' ? "libmp3lame" : "pcm_s16le", 20);
        std::vector<std::pair<std::size_t, double>> told;
        const AudioClip clip =
            LoadAudioFile(file, AvailableMemory(), [&](const AudioView& view, double part) {
                EXPECT_EQ(static_cast<const AudioHeader&>(view),
                          AudioHeader::Make(44100, SampleFormat::S16, 2));
                told.emplace_back(view.byteCount, part);
                return true;
            });
        ASSERT_GT(told.size(), 2u);
        EXPECT_TRUE(std::is_sorted(told.begin(), told.end()));
        EXPECT_LE(told.back().first, clip.Samples().size());
        EXPECT_GT(told.back().first, clip.Samples().size() * 9 / 10);
        EXPECT_GT(told.back().second, 0.9);
        EXPECT_LE(told.back().second, 1.0);

        const int stopAt = 3;
        int calls = 0;
        EXPECT_THROW(LoadAudioFile(file, AvailableMemory(),
                                   [&](const AudioView&, double) { return ++calls < stopAt; }),
                     AudioLoadStopped);
        EXPECT_EQ(calls, stopAt);
    }
}

// A WAV file stating a rate no clip can be played at has a damaged header:
// refused, naming where the rate is written, while the lowest and highest
// playable rates load.
TEST(LoadAudioFileTest, WavFilesWithImpossibleRatesAreDamaged) {
    vel::testing::TempFolder folder;
    const std::string path = (folder.Path() / "rate.wav").string();
    constexpr std::size_t rateAt = 24;
    for (const std::uint32_t rate : {0u, 384001u, 4000000000u}) {
        Write(path, test::Riff({test::Fmt{.rate = rate}.AsChunk(),
                                test::Chunk("data", test::Bytes(400, 1))}));
        EXPECT_EQ(Reason(path), "damaged at byte " + std::to_string(rateAt)) << rate;
    }
    for (const std::uint32_t rate : {1u, 384000u}) {
        Write(path, test::Riff({test::Fmt{.rate = rate}.AsChunk(),
                                test::Chunk("data", test::Bytes(400, 1))}));
        EXPECT_EQ(LoadAudioFile(path).sampleRate, rate);
    }
}

test::Bytes FloatBytes(const std::vector<float>& values) {
    test::Bytes bytes(values.size() * sizeof(float));
    std::memcpy(bytes.data(), values.data(), bytes.size());
    return bytes;
}

// Float samples that are not numbers, or are infinite, would play and
// export as full-scale noise: they are silent, and counted, whether the WAV
// reader or the decoder reads them.
TEST(LoadAudioFileTest, FloatSamplesThatAreNotFiniteAreSilentAndCounted) {
    vel::testing::TempFolder folder;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float infinity = std::numeric_limits<float>::infinity();
    const test::Bytes held = FloatBytes({0.5f, nan, infinity, -infinity, -0.25f, -nan});
    const test::Bytes silent = FloatBytes({0.5f, 0.0f, 0.0f, 0.0f, -0.25f, 0.0f});

    const std::string wav = (folder.Path() / "float.wav").string();
    Write(wav, test::Riff({test::Fmt{.tag = 3, .bits = 32}.AsChunk(), test::Chunk("data", held)}));
    std::uint64_t silenced = 0;
    const AudioClip clip = LoadAudioFile(wav, AvailableMemory(), {}, &silenced);
    EXPECT_EQ(clip.format, SampleFormat::F32);
    EXPECT_EQ(clip.Samples(), silent);
    EXPECT_EQ(silenced, 4u);
    EXPECT_EQ(LoadWav(wav).Samples(), silent);

    const std::string raw = (folder.Path() / "float.raw").string();
    Write(raw, held);
    const std::string caf = (folder.Path() / "float.caf").string();
    const std::string command =
        "ffmpeg -v error -y -f f32le -ar 8000 -ac 1 -i '" + raw + "' -c:a copy '" + caf + "'";
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    silenced = 0;
    EXPECT_EQ(LoadAudioFile(caf, AvailableMemory(), {}, &silenced).Samples(), silent);
    EXPECT_EQ(silenced, 4u);
}

// A clip that memory cannot hold is refused from the length the file
// states, whatever its kind.
TEST(LoadAudioFileTest, ClipsLargerThanMemoryAreRefused) {
    vel::testing::TempFolder folder;
    const std::string mp3 = Encode(folder, "second.mp3", 44100, 2, "libmp3lame");
    // One second of 16-bit stereo at 44.1 kHz is 176,400 bytes, and a little
    // more is asked for a clip that runs longer than it says.
    const std::string refused = Reason(mp3, 100000);
    EXPECT_TRUE(refused.starts_with("its sound needs 3")) << refused;
    EXPECT_TRUE(refused.ends_with(" kB of memory, and only 100 kB are free")) << refused;
    EXPECT_EQ(Reason(mp3, 1000000), "");
    const std::string wav = Encode(folder, "second.wav", 44100, 2, "pcm_s16le");
    EXPECT_EQ(Reason(wav, 100000), "its sound needs 176 kB of memory, and only 100 kB are free");
}

} // namespace
} // namespace vel::lumo
