#include "video/VideoWriter.h"

#include "tests/support/MediaProbe.h"
#include "tests/support/TempFolder.h"
#include "video/FirstPass.h"
#include "video/XVideoWriter.h"

#include <cmath>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <sys/resource.h>
#include <tuple>

extern "C" {
#include <libavutil/error.h>
}

namespace vel::video {
namespace {

namespace fs = std::filesystem;
using test::DecodeRgb;
using test::ProbeStream;

constexpr uint32_t kWidth = 1920;
constexpr uint32_t kHeight = 1080;
constexpr uint32_t kSpf = 1471;

class VideoWriterTest : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const { return folder_ / name; }

    testing::TempFolder folder_;
};

// A black B, G, R, X picture with a box of one colour (0xRRGGBB).
std::vector<uint8_t> Picture(uint32_t rgb, FrameRegion box) {
    std::vector<uint8_t> pixels(size_t{kWidth} * kHeight * 4);
    for (uint32_t y = box.top; y < box.bottom; ++y) {
        for (uint32_t x = box.left; x < box.right; ++x) {
            uint8_t* p = &pixels[(size_t{y} * kWidth + x) * 4];
            p[0] = rgb & 0xFF;
            p[1] = (rgb >> 8) & 0xFF;
            p[2] = (rgb >> 16) & 0xFF;
        }
    }
    return pixels;
}

// Blocks of changing colours: enough detail that the encoder uses its rate.
std::vector<uint8_t> BusyPicture(uint32_t frame, uint32_t width = kWidth,
                                 uint32_t height = kHeight) {
    std::vector<uint32_t> pixels(size_t{width} * height);
    for (uint32_t y = 0; y < height; ++y) {
        uint32_t* row = &pixels[size_t{y} * width];
        for (uint32_t x = 0; x < width; ++x) {
            row[x] = ((x + frame * 7) / 24 * 2654435761u) ^ ((y / 24) * 40503u);
        }
    }
    const auto* bytes = reinterpret_cast<const uint8_t*>(pixels.data());
    return {bytes, bytes + pixels.size() * 4};
}

std::vector<int16_t> Tone(uint32_t frames) {
    std::vector<int16_t> samples(size_t{frames} * 2);
    for (uint32_t i = 0; i < frames; ++i) {
        samples[2 * i] = samples[2 * i + 1] = static_cast<int16_t>(8000 * std::sin(i * 0.0627));
    }
    return samples;
}

double Seconds(const std::map<std::string, std::string>& stream) {
    return std::atof(stream.at("duration").c_str());
}

const uint8_t* PixelAt(const std::vector<uint8_t>& rgb, uint32_t frame, uint32_t x, uint32_t y) {
    return &rgb[((size_t{frame} * kHeight + y) * kWidth + x) * 3];
}

void ExpectColour(const uint8_t* p, uint32_t rgb) {
    EXPECT_NEAR(p[0], static_cast<int>(rgb >> 16), 6);
    EXPECT_NEAR(p[1], static_cast<int>((rgb >> 8) & 0xFF), 6);
    EXPECT_NEAR(p[2], static_cast<int>(rgb & 0xFF), 6);
}

TEST_F(VideoWriterTest, WritesH264MainAndAacStereoWithTheIndexFirst) {
    const std::string file = PathOf("busy.mp4");
    constexpr uint32_t kFrames = 90;
    const std::vector<int16_t> tone = Tone(kSpf * kFrames);
    {
        VideoWriter writer(kWidth, kHeight, 29.97f, file);
        for (uint32_t f = 0; f < kFrames; ++f) {
            ASSERT_TRUE(writer.WriteVideoFrame(BusyPicture(f).data()));
            ASSERT_TRUE(writer.WriteAudio(4, &tone[size_t{f} * kSpf * 2], kSpf * 4));
            writer.AdvanceTime();
        }
        writer.Finish();
    }
    const auto video = ProbeStream(file, "v:0");
    EXPECT_EQ(video.at("codec_name"), "h264");
    EXPECT_EQ(video.at("profile"), "Main");
    EXPECT_EQ(video.at("width"), "1920");
    EXPECT_EQ(video.at("height"), "1080");
    EXPECT_EQ(video.at("pix_fmt"), "yuv420p");
    EXPECT_EQ(video.at("r_frame_rate"), "2997/100");
    EXPECT_EQ(video.at("nb_read_frames"), "90");
    EXPECT_NEAR(std::atof(video.at("bit_rate").c_str()), 1800000, 360000);

    const auto audio = ProbeStream(file, "a:0");
    EXPECT_EQ(audio.at("codec_name"), "aac");
    EXPECT_EQ(audio.at("profile"), "LC");
    EXPECT_EQ(audio.at("sample_rate"), "44100");
    EXPECT_EQ(audio.at("channels"), "2");
    EXPECT_NEAR(Seconds(audio), Seconds(video), 1024.0 / 44100);

    const auto boxes = test::Mp4Boxes(file);
    const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
    ASSERT_NE(moov, boxes.end());
    EXPECT_LT(moov, std::find(boxes.begin(), boxes.end(), "mdat"));
}

// A 3840 × 2160 video at a full HD video's rate would show its blocks; a
// smaller picture keeps that rate.
TEST_F(VideoWriterTest, ALargerPictureGetsAsManyBitsForEachPixelAndASmallerOneKeepsTheRate) {
    constexpr uint32_t kFrames = 60;
    const std::vector<int16_t> tone = Tone(kSpf * kFrames);
    for (const auto& [width, height, rate] :
         {std::tuple{3840U, 2160U, 7200000.0}, std::tuple{1280U, 720U, 1800000.0}}) {
        const std::string file = PathOf("sized.mp4");
        {
            VideoWriter writer(width, height, 29.97f, file);
            for (uint32_t f = 0; f < kFrames; ++f) {
                ASSERT_TRUE(writer.WriteVideoFrame(BusyPicture(f, width, height).data()));
                ASSERT_TRUE(writer.WriteAudio(4, &tone[size_t{f} * kSpf * 2], kSpf * 4));
                writer.AdvanceTime();
            }
            writer.Finish();
        }
        const auto video = ProbeStream(file, "v:0");
        EXPECT_EQ(video.at("width"), std::to_string(width));
        EXPECT_NEAR(std::atof(video.at("bit_rate").c_str()), rate, rate / 4) << width;
    }
}

TEST_F(VideoWriterTest, RateIsFramesPerThousandSecondsAndAnEmptyWriterSaysSo) {
    const std::pair<float, uint32_t> rates[] = {
        {29.97f, 29970}, {30.0f, 30000}, {25.0f, 25000}, {23.976f, 23976}};
    for (const auto& [fps, numerator] : rates) {
        ::testing::internal::CaptureStderr();
        {
            VideoWriter writer(kWidth, kHeight, fps, PathOf("empty.mp4"));
            EXPECT_EQ(writer.FrameRateNumerator(), numerator);
            EXPECT_EQ(writer.FrameRateDenominator(), 1000u);
        }
        EXPECT_EQ(::testing::internal::GetCapturedStderr(),
                  "No frames were processed.  This is normal in certain tests.\n");
    }
}

TEST_F(VideoWriterTest, RefusesWhatItCannotWriteWithFfmpegsCode) {
    auto codeOf = [](uint32_t w, uint32_t h, float fps, const std::string& name) {
        try {
            VideoWriter writer(w, h, fps, name);
        } catch (const XVideoWriter& e) {
            EXPECT_STREQ(e.what(), "writing the video failed");
            EXPECT_FALSE(e.CodeText().empty());
            return e.Code();
        }
        return 0;
    };
    EXPECT_EQ(codeOf(kWidth, kHeight, 30, ""), AVERROR(ENOENT));
    EXPECT_EQ(codeOf(kWidth, kHeight, 30, PathOf("missing/dir.mp4")), AVERROR(ENOENT));
    EXPECT_EQ(XVideoWriter(AVERROR(ENOENT)).CodeText(), "the folder does not exist");
    EXPECT_EQ(XVideoWriter(AVERROR(EFBIG)).CodeText(), "File too large");
    EXPECT_EQ(codeOf(1921, kHeight, 30, PathOf("odd.mp4")), AVERROR(EINVAL));
    EXPECT_EQ(codeOf(kWidth, kHeight, 0, PathOf("still.mp4")), AVERROR(EINVAL));
    EXPECT_FALSE(fs::exists(PathOf("odd.mp4")));
}

TEST_F(VideoWriterTest, NameWithAColonIsAFileName) {
    const std::string file = PathOf("take:2.mp4");
    {
        VideoWriter writer(kWidth, kHeight, 30, file);
        EXPECT_TRUE(writer.WriteVideoFrame(Picture(0, {}).data()));
    }
    EXPECT_EQ(ProbeStream(file, "v:0").at("nb_read_frames"), "1");
}

// Limits the size of the files this process writes while it lives; a write
// past the limit fails with EFBIG instead of ending the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, oldSignal_);
    }

private:
    rlimit old_{};
    void (*oldSignal_)(int);
};

TEST_F(VideoWriterTest, TheFirstFailedWriteEndsTheWriting) {
    constexpr rlim_t kLimit = 200000;
    const std::string file = PathOf("limited.mp4");
    const std::vector<int16_t> tone = Tone(kSpf);
    const FileSizeLimit limit(kLimit);
    VideoWriter writer(kWidth, kHeight, 30, file);
    // The failure shows in the write after it, of a picture or of sound.
    uint32_t frames = 0;
    for (; frames < 90; ++frames) {
        if (!writer.WriteVideoFrame(BusyPicture(frames).data()) ||
            !writer.WriteAudio(4, tone.data(), kSpf * 4)) {
            break;
        }
        writer.AdvanceTime();
    }
    ASSERT_LT(frames, 90u) << "the limit was never reached";
    EXPECT_EQ(writer.LastError(), AVERROR(EFBIG));
    EXPECT_FALSE(writer.WriteAudio(4, tone.data(), kSpf * 4));
    writer.AdvanceTime();
    EXPECT_FALSE(writer.WriteVideoFrame(BusyPicture(0).data()));
    try {
        writer.Finish();
        ADD_FAILURE() << "a video past the limit was finished";
    } catch (const XVideoWriter& e) {
        EXPECT_EQ(e.Code(), AVERROR(EFBIG));
    }
    EXPECT_LE(fs::file_size(file), kLimit);
}

TEST_F(VideoWriterTest, AudioKeepsWholeSampleFramesAndMissingAudioBecomesSilence) {
    const std::string file = PathOf("gap.mp4");
    const std::vector<int16_t> tone = Tone(kSpf);
    const std::vector<uint8_t> black = Picture(0, {});
    {
        VideoWriter writer(kWidth, kHeight, 29.97f, file);
        EXPECT_FALSE(writer.WriteAudio(2, tone.data(), 8));
        EXPECT_TRUE(writer.WriteAudio(4, tone.data(), 3));
        // The first 30 frames come without audio; the sound still starts at
        // frame 30 and ends with the picture.
        for (uint32_t f = 0; f < 60; ++f) {
            ASSERT_TRUE(writer.WriteVideoFrame(black.data()));
            EXPECT_FALSE(writer.WriteVideoFrame(black.data()));
            if (f >= 30) {
                ASSERT_TRUE(writer.WriteAudio(4, tone.data(), kSpf * 4 + 2));
            }
            writer.AdvanceTime();
        }
    }
    const auto video = ProbeStream(file, "v:0");
    EXPECT_EQ(video.at("nb_read_frames"), "60");
    EXPECT_NEAR(Seconds(ProbeStream(file, "a:0")), Seconds(video), 1024.0 / 44100);
}

TEST_F(VideoWriterTest, AVideoLongerThanAWholeIndexHoldsIsIndexedInPieces) {
    // At one frame a second, 70 frames: a keyframe starts the first piece and
    // the minute's limit the second, whatever the encoder's keyframes.
    constexpr uint32_t kFrames = 70;
    const std::vector<int16_t> second = Tone(44100);
    const std::vector<uint8_t> black = Picture(0, {});
    for (const uint64_t expected : {VideoWriter::WholeIndexSeconds, kFrames * uint64_t{1000000}}) {
        const std::string file = PathOf("long.mp4");

        {
            VideoWriter writer(kWidth, kHeight, 1.0f, file, {}, expected);
            for (uint32_t f = 0; f < kFrames; ++f) {
                ASSERT_TRUE(writer.WriteVideoFrame(black.data()));
                ASSERT_TRUE(writer.WriteAudio(4, second.data(), second.size() * 2));
                writer.AdvanceTime();
            }
            writer.Finish();
        }
        const auto boxes = test::Mp4Boxes(file);
        const bool inPieces = expected > VideoWriter::WholeIndexSeconds;
        EXPECT_EQ(std::count(boxes.begin(), boxes.end(), "moof"), inPieces ? 2 : 0);
        EXPECT_LT(std::find(boxes.begin(), boxes.end(), "moov"),
                  std::find(boxes.begin(), boxes.end(), "mdat"));
        const auto video = ProbeStream(file, "v:0");
        EXPECT_EQ(video.at("nb_read_frames"), "70");
        EXPECT_EQ(video.at("start_time"), "0.000000");
        // The sound ends with the pictures; in pieces it starts with the
        // encoder's priming, which the index tells players to skip.
        const auto audio = ProbeStream(file, "a:0");
        EXPECT_NEAR(std::atof(audio.at("start_time").c_str()) + Seconds(audio), kFrames, 1e-3);
    }
}

TEST_F(VideoWriterTest, OnlyTheChangedRegionIsTakenFromAFrame) {
    const std::string file = PathOf("regions.mp4");
    constexpr uint32_t kOrange = 0xFF8000;
    constexpr FrameRegion kBox{100, 100, 300, 200};
    constexpr FrameRegion kOtherBox{1000, 500, 1200, 700};
    {
        VideoWriter writer(kWidth, kHeight, 30, file);
        ASSERT_TRUE(writer.WriteVideoFrame(Picture(kOrange, kBox).data(), kBox));
        writer.AdvanceTime();
        ASSERT_TRUE(writer.WriteVideoFrame(Picture(0, {}).data(), kBox));
        writer.AdvanceTime();
        // A stray pixel outside the changed region is not taken.
        std::vector<uint8_t> picture = Picture(0xFFFFFF, kOtherBox);
        picture[(size_t{50} * kWidth + 50) * 4 + 2] = 0xFF;
        ASSERT_TRUE(writer.WriteVideoFrame(picture.data(), kOtherBox));
        writer.AdvanceTime();
    }
    const std::vector<uint8_t> rgb = DecodeRgb(file);
    ASSERT_EQ(rgb.size(), size_t{3} * kWidth * kHeight * 3);
    ExpectColour(PixelAt(rgb, 0, 200, 150), kOrange);
    ExpectColour(PixelAt(rgb, 0, 200, 250), 0);
    ExpectColour(PixelAt(rgb, 1, 200, 150), 0);
    ExpectColour(PixelAt(rgb, 2, 1100, 600), 0xFFFFFF);
    ExpectColour(PixelAt(rgb, 2, 50, 50), 0);
    // What the frame before took away stays away, whichever picture the
    // writer fills in turn.
    ExpectColour(PixelAt(rgb, 2, 200, 150), 0);
}

// A run encoded once after a first pass, then written three times more.
TEST_F(VideoWriterTest, AKeptRunIsWrittenAgainFromItsKeyframe) {
    const std::string file = PathOf("kept.mp4");
    constexpr uint32_t kRun = 45;
    FirstPass first(kWidth, kHeight, 30);
    for (uint32_t f = 0; f < kRun; ++f) {
        first.WriteVideoFrame(BusyPicture(f).data(), {0, 0, kWidth, kHeight});
    }
    {
        VideoWriter writer(kWidth, kHeight, 30, file, first.Finish());
        writer.KeepVideo();
        for (uint32_t f = 0; f < kRun; ++f) {
            ASSERT_TRUE(writer.WriteVideoFrame(BusyPicture(f).data()));
            writer.AdvanceTime();
        }
        EXPECT_FALSE(writer.WriteKeptFrame(kRun));
        for (uint32_t f = 0; f < 3 * kRun; ++f) {
            ASSERT_TRUE(writer.WriteKeptFrame(f % kRun));
            EXPECT_FALSE(writer.WriteKeptFrame(f % kRun));
            writer.AdvanceTime();
        }
        // The encoder has ended: new pictures are refused.
        EXPECT_FALSE(writer.WriteVideoFrame(BusyPicture(0).data()));
    }
    const auto video = ProbeStream(file, "v:0");
    EXPECT_EQ(video.at("nb_read_frames"), "180");
    std::istringstream packets(test::RunCommand(
        "ffprobe -v error -select_streams v:0 -show_entries packet=pts,flags -of csv=p=0 " + file));
    std::vector<long> keys;
    for (std::string line; std::getline(packets, line);) {
        if (line.find('K') != std::string::npos) {
            keys.push_back(std::atol(line.c_str()));
        }
    }
    // The container counts 30000 ticks a second: 1000 a frame.
    for (long start : {0L, 1L, 2L, 3L}) {
        EXPECT_NE(std::find(keys.begin(), keys.end(), start * kRun * 1000), keys.end()) << start;
    }
    EXPECT_EQ(test::RunCommand("ffmpeg -v error -i " + file + " -f null - 2>&1"), "");
}

} // namespace
} // namespace vel::video
