#include "apps/lumo/audio/LoadWav.h"

#include "apps/lumo/audio/SampleAt.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WavBytes.h"

#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

using test::Append;
using test::Bytes;
using test::Chunk;
using test::Fmt;
using test::Riff;
using test::TempFile;

AudioClip Load(const Bytes& file) {
    TempFile temp(file);
    return LoadWav(temp.Path());
}

Bytes Counting(std::size_t size) {
    Bytes out(size);
    for (std::size_t i = 0; i < size; ++i) {
        out[i] = static_cast<std::uint8_t>(i * 7 + 1);
    }
    return out;
}

void ExpectHeader(const AudioClip& clip, std::uint32_t rate, SampleFormat format,
                  std::uint32_t channels, std::uint64_t bytesPerFrame) {
    EXPECT_EQ(clip.sampleRate, rate);
    EXPECT_EQ(clip.format, format);
    EXPECT_EQ(clip.channels, channels);
    EXPECT_EQ(clip.bytesPerFrame, bytesPerFrame);
}

void ExpectEmptyClip(const AudioClip& clip) {
    EXPECT_EQ(clip, AudioClip{});
    ExpectHeader(clip, 1, SampleFormat::None, 1, 0);
}

TEST(LoadWav, ReadsPlainPcmOfEveryWidth) {
    struct Case {
        std::uint16_t bits;
        std::uint16_t channels;
        SampleFormat format;
    };
    for (const Case c : {Case{8, 1, SampleFormat::U8}, Case{16, 2, SampleFormat::S16},
                         Case{24, 1, IntegerFormat(3, 24)}, Case{32, 2, SampleFormat::S32}}) {
        SCOPED_TRACE(c.bits);
        const std::uint64_t frame = c.bits / 8 * c.channels;
        const Bytes data = Counting(frame * 5);
        const AudioClip clip =
            Load(Riff({Fmt{.channels = c.channels, .rate = 22050, .bits = c.bits}.AsChunk(),
                       Chunk("data", data)}));
        ExpectHeader(clip, 22050, c.format, c.channels, frame);
        EXPECT_EQ(clip.Samples(), data);
    }
    EXPECT_EQ(IntegerFormat(3, 24), static_cast<SampleFormat>(0x318));
}

TEST(LoadWav, ReadsFloatAndExtensibleHeaders) {
    const Bytes data = Counting(48);
    const AudioClip floats =
        Load(Riff({Fmt{.tag = 3, .channels = 2, .bits = 32}.AsChunk(), Chunk("data", data)}));
    ExpectHeader(floats, 44100, SampleFormat::F32, 2, 8);
    EXPECT_EQ(floats.Samples(), data);

    const AudioClip extFloat = Load(
        Riff({Fmt{.bits = 32, .extensible = true, .validBits = 32, .subFormatTag = 3}.AsChunk(),
              Chunk("data", data)}));
    ExpectHeader(extFloat, 44100, SampleFormat::F32, 1, 4);

    // 20 valid bits in 3 bytes.
    const AudioClip twenty = Load(Riff(
        {Fmt{.bits = 24, .extensible = true, .validBits = 20}.AsChunk(), Chunk("data", data)}));
    ExpectHeader(twenty, 44100, static_cast<SampleFormat>(0x314), 1, 3);
    EXPECT_EQ(twenty.Samples(), data);
}

TEST(LoadWav, SamplesNarrowerThanTheirContainerKeepTheContainer) {
    // 16 valid bits at the top of 32-bit containers: a frame stays one block and
    // the samples read with their true value.
    Bytes data;
    test::PutLE(data, 0x40000000u, 4); // +0.5
    test::PutLE(data, 0xC0000000u, 4); // -0.5
    const AudioClip clip = Load(Riff(
        {Fmt{.bits = 32, .extensible = true, .validBits = 16}.AsChunk(), Chunk("data", data)}));
    ExpectHeader(clip, 44100, static_cast<SampleFormat>(0x410), 1, 4);
    ASSERT_EQ(clip.Samples(), data);
    EXPECT_NEAR(SampleAt(clip, 0), 0.5, 1e-4);
    EXPECT_NEAR(SampleAt(clip, 4), -0.5, 1e-4);
}

TEST(LoadWav, WalksChunksWithPaddingAndSkipsStrangers) {
    // An odd-sized chunk before "fmt ", an 18-byte "fmt " with a zero extra size, an
    // odd "data" body followed by its pad byte and another chunk.
    Bytes fmt18 = Fmt{.bits = 8}.Body();
    test::PutLE(fmt18, 0, 2);
    const Bytes data = Counting(5);
    const AudioClip clip =
        Load(Riff({Chunk("LIST", Counting(7)), Chunk("junk", Counting(3)), Chunk("fmt ", fmt18),
                   Chunk("fact", Counting(1)), Chunk("data", data), Chunk("cue ", Counting(9))}));
    ExpectHeader(clip, 44100, SampleFormat::U8, 1, 1);
    EXPECT_EQ(clip.Samples(), data);

    // An odd last chunk whose pad byte the file lacks still reads whole.
    Bytes unpadded = Riff({Fmt{.bits = 8}.AsChunk(), Chunk("data", data)});
    unpadded.pop_back();
    EXPECT_EQ(Load(unpadded).Samples(), data);

    // A "WAVE" form after another RIFF form is found.
    Bytes two = Riff({Chunk("avih", Counting(4))}, "AVI ");
    Append(two, Riff({Fmt{.bits = 8}.AsChunk(), Chunk("data", data)}));
    EXPECT_EQ(Load(two).Samples(), data);
}

TEST(LoadWav, UnreadableFilesGiveTheEmptyClip) {
    const std::string text = "This is not a sound at all, just words in a .wav file.\n";
    ExpectEmptyClip(Load(Bytes(text.begin(), text.end())));
    ExpectEmptyClip(Load({}));
    ExpectEmptyClip(Load(Riff({Fmt{}.AsChunk(), Chunk("data", Counting(4))}, "AVI ")));
    ExpectEmptyClip(LoadWav("/nonexistent/folder/sound.wav"));
    ExpectEmptyClip(LoadWav(testing::TempFolder().Path().string()));

    const testing::TempFolder folder;
    const testing::NamedPipe pipe(folder / "voice.wav");
    EXPECT_TRUE(pipe.RunsWithoutWaiting([&] { ExpectEmptyClip(LoadWav(pipe.Path())); }));
}

TEST(LoadWav, RefusedFormatsGiveTheHeaderWithoutSamples) {
    const Bytes data = Counting(16);
    struct Case {
        const char* what;
        Bytes file;
        std::uint32_t rate;
        SampleFormat format;
        std::uint32_t channels;
        std::uint64_t bytesPerFrame;
    };
    const Case cases[] = {
        {"data before fmt", Riff({Chunk("data", data), Fmt{}.AsChunk()}), 44100, SampleFormat::S16,
         1, 2},
        {"no data", Riff({Fmt{.channels = 2}.AsChunk()}), 44100, SampleFormat::S16, 2, 4},
        {"no fmt", Riff({Chunk("data", data)}), 0, SampleFormat::None, 0, 0},
        {"fmt under 16 bytes", Riff({Chunk("fmt ", Counting(14)), Chunk("data", data)}), 0,
         SampleFormat::None, 0, 0},
        {"8-bit with block alignment 2",
         Riff({Fmt{.bits = 8, .blockAlign = 2}.AsChunk(), Chunk("data", data)}), 44100,
         SampleFormat::U8, 1, 1},
        {"64-bit float", Riff({Fmt{.tag = 3, .bits = 64}.AsChunk(), Chunk("data", data)}), 44100,
         SampleFormat::F32, 1, 4},
        {"16-bit float", Riff({Fmt{.tag = 3, .bits = 16}.AsChunk(), Chunk("data", data)}), 44100,
         SampleFormat::F32, 1, 4},
        {"12-bit container",
         Riff({Fmt{.bits = 12, .blockAlign = 2}.AsChunk(), Chunk("data", data)}), 44100,
         IntegerFormat(2, 12), 1, 2},
        {"valid bits above container",
         Riff(
             {Fmt{.bits = 16, .extensible = true, .validBits = 24}.AsChunk(), Chunk("data", data)}),
         44100, IntegerFormat(3, 24), 1, 3},
        {"zero channels", Riff({Fmt{.channels = 0}.AsChunk(), Chunk("data", data)}), 44100,
         SampleFormat::S16, 0, 0},
        {"ADPCM", Riff({Fmt{.tag = 2, .bits = 4}.AsChunk(), Chunk("data", data)}), 44100,
         SampleFormat::None, 1, 0},
        {"unknown sub-format",
         Riff({Fmt{.extensible = true, .validBits = 16, .subFormatTag = 9}.AsChunk(),
               Chunk("data", data)}),
         44100, SampleFormat::None, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const AudioClip clip = Load(c.file);
        ExpectHeader(clip, c.rate, c.format, c.channels, c.bytesPerFrame);
        EXPECT_TRUE(clip.Samples().empty());
    }
}

TEST(LoadWav, CutOffAndForgedSizesReadOnlyWhatTheFileHolds) {
    const Bytes data = Counting(41);
    // A data size far beyond the file (as left by a recorder that never finished):
    // the whole frames that are there.
    const Bytes forged = Riff({Fmt{.channels = 2}.AsChunk(), Chunk("data", data, 0xFFFFFFFF)});
    const AudioClip clip = Load(forged);
    ExpectHeader(clip, 44100, SampleFormat::S16, 2, 4);
    EXPECT_EQ(clip.Samples(), Bytes(data.begin(), data.begin() + 40));

    // Cut off inside "data": same.
    Bytes cut = Riff({Fmt{.channels = 2}.AsChunk(), Chunk("data", Counting(400))});
    cut.resize(cut.size() - 7);
    EXPECT_EQ(Load(cut).Samples().size(), 392u);

    // The RIFF size (left 0 by some streaming writers) does not limit the search.
    Bytes riffZero = Riff({Fmt{}.AsChunk(), Chunk("data", data)});
    std::fill(riffZero.begin() + 4, riffZero.begin() + 8, 0);
    EXPECT_EQ(Load(riffZero).Samples().size(), 40u);

    // A forged size before "fmt " jumps past the end: nothing is found.
    const AudioClip lost =
        Load(Riff({Chunk("junk", Counting(4), 0xFFFFFFFE), Fmt{}.AsChunk(), Chunk("data", data)}));
    ExpectHeader(lost, 0, SampleFormat::None, 0, 0);

    // A "fmt " that the file cuts short reads as no format at all.
    Bytes shortFmt = Riff({Chunk("fmt ", Fmt{}.Body(), 40)});
    const AudioClip noFormat = Load(shortFmt);
    ExpectHeader(noFormat, 0, SampleFormat::None, 0, 0);

    // A data chunk of size 0.
    EXPECT_TRUE(Load(Riff({Fmt{}.AsChunk(), Chunk("data", {})})).Samples().empty());
}

} // namespace
} // namespace vel::lumo
