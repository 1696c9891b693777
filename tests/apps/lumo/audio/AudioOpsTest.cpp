#include "apps/lumo/audio/ConvertAudio.h"
#include "apps/lumo/audio/PeakEnvelope.h"
#include "apps/lumo/audio/SampleAt.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace vel::lumo {
namespace {

template <typename T>
AudioClip ClipOf(SampleFormat format, std::uint32_t rate, std::uint32_t channels,
                 const std::vector<T>& values) {
    std::vector<std::uint8_t> samples(values.size() * sizeof(T));
    std::memcpy(samples.data(), values.data(), samples.size());
    return AudioClip(AudioHeader::Make(rate, format, channels), std::move(samples));
}

template <typename T> std::vector<T> ValuesOf(const AudioClip& clip) {
    std::vector<T> values(clip.Samples().size() / sizeof(T));
    std::memcpy(values.data(), clip.Samples().data(), values.size() * sizeof(T));
    return values;
}

TEST(AudioOpsTest, SampleAtScalesEachFormat) {
    EXPECT_FLOAT_EQ(SampleAt(ClipOf<std::uint8_t>(SampleFormat::U8, 1, 1, {255}), 0), 1.0f);
    EXPECT_FLOAT_EQ(SampleAt(ClipOf<std::uint8_t>(SampleFormat::U8, 1, 1, {0}), 0), -1.0f);
    EXPECT_FLOAT_EQ(SampleAt(ClipOf<std::int16_t>(SampleFormat::S16, 1, 1, {-32768}), 0),
                    static_cast<float>(-32768 / 32767.5));
    EXPECT_FLOAT_EQ(SampleAt(ClipOf<std::int32_t>(SampleFormat::S32, 1, 1, {1 << 30}), 0), 0.5f);
    EXPECT_FLOAT_EQ(SampleAt(ClipOf<float>(SampleFormat::F32, 1, 1, {-1.75f}), 0), -1.75f);

    const SampleFormat s24 = IntegerFormat(3, 24);
    const AudioClip pcm24 = ClipOf<std::uint8_t>(s24, 1, 1, {0xFF, 0xFF, 0x7F, 0x00, 0x00, 0x80});
    EXPECT_NEAR(SampleAt(pcm24, 0), 1.0, 1e-6);
    EXPECT_NEAR(SampleAt(pcm24, 3), -1.0, 1e-6);
    // 20 valid bits in 3 bytes: the low nibble is ignored.
    const AudioClip pcm20 =
        ClipOf<std::uint8_t>(IntegerFormat(3, 20), 1, 1, {0xFF, 0xFF, 0x7F, 0xF0, 0xFF, 0x7F});
    EXPECT_FLOAT_EQ(SampleAt(pcm20, 0), SampleAt(pcm20, 3));
    EXPECT_NEAR(SampleAt(pcm20, 0), 1.0, 1e-6);
}

TEST(AudioOpsTest, SampleAtGuardsEveryRead) {
    const AudioClip clip = ClipOf<std::int16_t>(SampleFormat::S16, 1, 1, {1000, 16384});
    EXPECT_FLOAT_EQ(SampleAt(clip, 2), static_cast<float>(16384 / 32767.5));
    EXPECT_EQ(SampleAt(clip, 3), 0.0f);
    EXPECT_EQ(SampleAt(clip, 4), 0.0f);
    EXPECT_EQ(SampleAt(clip, std::numeric_limits<std::size_t>::max()), 0.0f);
    EXPECT_EQ(SampleAt(AudioView{}, 0), 0.0f);
    // Codes that cannot describe a readable sample.
    const std::vector<std::uint8_t> ones(8, 0x7F);
    for (SampleFormat odd : {IntegerFormat(2, 0), IntegerFormat(2, 24), IntegerFormat(5, 40),
                             static_cast<SampleFormat>(0x80000840), SampleFormat::None}) {
        EXPECT_EQ(SampleAt(ClipOf<std::uint8_t>(odd, 1, 1, ones), 0), 0.0f);
    }
}

TEST(AudioOpsTest, AudioViewSlicesStayInsideTheClip) {
    const AudioClip clip = ClipOf<std::int16_t>(SampleFormat::S16, 8000, 2, {1, 2, 3, 4, 5, 6});
    const AudioView all(clip);
    EXPECT_EQ(all.FrameCount(), 3u);
    const AudioView middle = all.Slice(4, 4);
    EXPECT_EQ(middle.data, clip.Samples().data() + 4);
    EXPECT_EQ(middle.FrameCount(), 1u);
    EXPECT_EQ(static_cast<const AudioHeader&>(middle), static_cast<const AudioHeader&>(clip));
    EXPECT_EQ(all.Slice(8, 100).byteCount, 4u);
    const AudioView beyond = all.Slice(12, 4);
    EXPECT_EQ(beyond.data, nullptr);
    EXPECT_EQ(beyond.byteCount, 0u);
    EXPECT_EQ(AudioView(AudioClip{}).FrameCount(), 0u);
}

TEST(AudioOpsTest, ConvertingToTheSameLayoutSharesAClipAndCopiesAView) {
    const AudioClip clip = ClipOf<std::int16_t>(SampleFormat::S16, 44100, 2, {1, -2, 3, -4});
    const AudioHeader same = AudioHeader::Make(44100, SampleFormat::S16, 2);
    const AudioClip shared = ConvertAudio(clip, same);
    EXPECT_EQ(shared, clip);
    EXPECT_EQ(shared.Samples().data(), clip.Samples().data());
    const AudioClip tail = ConvertAudio(AudioView(clip).Slice(4, 4), same);
    EXPECT_EQ(ValuesOf<std::int16_t>(tail), (std::vector<std::int16_t>{3, -4}));
}

TEST(AudioOpsTest, ConversionUpsamplesMonoToStereo) {
    const AudioClip mono =
        ClipOf<std::int16_t>(SampleFormat::S16, 22050, 1, {0, 16000, -16000, 8000});
    const AudioClip out = ConvertAudio(mono, AudioHeader::Make(44100, SampleFormat::S16, 2));
    EXPECT_EQ(static_cast<const AudioHeader&>(out), AudioHeader::Make(44100, SampleFormat::S16, 2));
    const auto values = ValuesOf<std::int16_t>(out);
    ASSERT_EQ(values.size(), 16u);
    // Every second frame lies halfway between two source frames; the last one
    // blends toward silence beyond the end. Both channels carry the source.
    const auto scaled = [](double v) {
        return static_cast<std::int16_t>(v / 32767.5 * 32767);
    };
    const std::int16_t expected[] = {
        0,           scaled(8000), scaled(16000), 0, scaled(-16000), scaled(-4000), scaled(8000),
        scaled(4000)};
    for (std::size_t i = 0; i < 8; ++i) {
        EXPECT_NEAR(values[2 * i], expected[i], 1) << i;
        EXPECT_EQ(values[2 * i + 1], values[2 * i]) << i;
    }
}

TEST(AudioOpsTest, FrameCountsFollowTheRatesExactly) {
    const AudioClip second(
        ClipOf<std::int16_t>(SampleFormat::S16, 44100, 1, std::vector<std::int16_t>(44100, 100)));
    for (std::uint32_t rate : {48000u, 32000u, 11025u, 96000u}) {
        const AudioClip out = ConvertAudio(second, AudioHeader::Make(rate, SampleFormat::F32, 1));
        EXPECT_EQ(AudioView(out).FrameCount(), rate);
        // A constant signal stays constant at every interpolated position but the last.
        const auto values = ValuesOf<float>(out);
        EXPECT_FLOAT_EQ(values[rate / 2], static_cast<float>(100 / 32767.5));
    }
    // A rate of 0 on either side means no length.
    AudioClip noRate = second;
    noRate.sampleRate = 0;
    EXPECT_TRUE(
        ConvertAudio(noRate, AudioHeader::Make(44100, SampleFormat::F32, 1)).Samples().empty());
    EXPECT_TRUE(ConvertAudio(second, AudioHeader::Make(0, SampleFormat::F32, 1)).Samples().empty());
}

TEST(AudioOpsTest, IntegerTargetsClipOutOfRangeValues) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const AudioClip floats =
        ClipOf<float>(SampleFormat::F32, 48000, 1, {1.0f, 1.5f, -1.0f, -3.0f, 0.5f, nan});
    const auto convert = [&](SampleFormat format) {
        return ConvertAudio(floats, AudioHeader::Make(48000, format, 2));
    };
    const std::int32_t max32 = std::numeric_limits<std::int32_t>::max();
    const std::int32_t min32 = std::numeric_limits<std::int32_t>::min();
    EXPECT_EQ(ValuesOf<std::int32_t>(convert(SampleFormat::S32)),
              (std::vector<std::int32_t>{max32, max32, max32, max32, min32, min32, min32, min32,
                                         1 << 30, 1 << 30, 0, 0}));
    EXPECT_EQ(ValuesOf<std::int16_t>(convert(SampleFormat::S16)),
              (std::vector<std::int16_t>{32767, 32767, 32767, 32767, -32767, -32767, -32768, -32768,
                                         16383, 16383, 0, 0}));
    EXPECT_EQ(ValuesOf<std::uint8_t>(convert(SampleFormat::U8)),
              (std::vector<std::uint8_t>{255, 255, 255, 255, 0, 0, 0, 0, 191, 191, 0, 0}));
    // A target format without a writer stays silent.
    const AudioClip silent = convert(IntegerFormat(3, 24));
    EXPECT_EQ(silent.Samples(), std::vector<std::uint8_t>(36, 0));
}

TEST(AudioOpsTest, ThePeakEnvelopeHasOneFramePerBlockOfPeaks) {
    EXPECT_EQ(PeakEnvelope(AudioClip{}, 0), AudioClip{});
    std::vector<std::int16_t> values(500, 0);
    values[2 * 7] = -16384;       // frame 7, left
    values[2 * 120 + 1] = 8192;   // frame 120, right
    values[2 * 249] = 32767;      // last frame, left
    values[2 * 230 + 1] = -32768; // frame 230, right
    const AudioClip clip = ClipOf<std::int16_t>(SampleFormat::S16, 44100, 2, values);
    EXPECT_EQ(PeakEnvelope(clip, 0), AudioClip{});
    EXPECT_EQ(PeakEnvelope(clip, -5), AudioClip{});

    const AudioClip envelope = PeakEnvelope(clip, 100);
    EXPECT_EQ(static_cast<const AudioHeader&>(envelope),
              AudioHeader::Make(441, SampleFormat::F32, 2));
    const auto peaks = ValuesOf<float>(envelope);
    ASSERT_EQ(peaks.size(), 6u);
    EXPECT_FLOAT_EQ(peaks[0], static_cast<float>(16384 / 32767.5));
    EXPECT_EQ(peaks[1], 0.0f);
    EXPECT_EQ(peaks[2], 0.0f);
    EXPECT_FLOAT_EQ(peaks[3], static_cast<float>(8192 / 32767.5));
    EXPECT_FLOAT_EQ(peaks[4], static_cast<float>(32767 / 32767.5));
    EXPECT_FLOAT_EQ(peaks[5], static_cast<float>(32768 / 32767.5));
}

} // namespace
} // namespace vel::lumo
