#include "apps/lumo/render/ExportRun.h"

#include "apps/lumo/audio/ConvertAudio.h"
#include "apps/lumo/model/FrameEvaluation.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/render/ExportAudio.h"
#include "apps/lumo/render/PumpkinRenderer.h"
#include "graphics/Graphics.h"
#include "graphics/QtGraphicsImpl.h"
#include "tests/support/MediaProbe.h"
#include "tests/support/Pictures.h"
#include "tests/support/TempFolder.h"
#include "video/XVideoWriter.h"

#include <QImage>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

extern "C" {
#include <libavutil/error.h>
}

namespace vel::lumo {
namespace {

namespace fs = std::filesystem;
using test::DecodeRgb;
using test::ProbeStream;

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

Shape Square(uint32_t illumination, float left, float bottom, float right, float top) {
    return Shape{illumination,
                 "square",
                 {Pose{KnobKey(), {{left, bottom}, {right, bottom}, {right, top}, {left, top}}}}};
}

// A lit square in the upper half of the picture with a dark hole in it, and
// half a second of a 22050 Hz mono tone.
std::unique_ptr<LumoDocument> SquareDocument() {
    auto document = LumoDocument::New();
    Model& model = document->GetModel();
    model.InsertShape(0, Square(Shape::CandleColor, -0.5f, 0.2f, 0.5f, 0.8f));
    model.InsertShape(1, Square(Shape::Dark, -0.1f, 0.4f, 0.1f, 0.6f));
    document->SynchroniseTimeline();
    std::vector<uint8_t> samples;
    for (int i = 0; i < 11025; ++i) {
        const auto v = static_cast<int16_t>(i % 50 < 25 ? 6000 : -6000);
        samples.push_back(static_cast<uint8_t>(v));
        samples.push_back(static_cast<uint8_t>(v >> 8));
    }
    AudioClip clip(AudioHeader::Make(22050, SampleFormat::S16, 1), std::move(samples));
    document->SetAudio(clip);
    return document;
}

class ExportRunTest : public ::testing::Test {
protected:
    std::string PathOf(const char* name) const { return folder_ / name; }
    std::vector<std::string> Files() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_.Path())) {
            names.push_back(entry.path().filename().string());
        }
        return names;
    }
    void WritePrecious(const std::string& file) const { std::ofstream(file) << "precious"; }
    std::string Contents(const std::string& file) const {
        std::ifstream in(file);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    testing::TempFolder folder_;
};

const uint8_t* PixelAt(const std::vector<uint8_t>& rgb, int frame, int x, int y) {
    return &rgb[((size_t(frame) * kHeight + y) * kWidth + x) * 3];
}

void ExpectColour(const uint8_t* p, graphics::Color c, int tolerance = 6) {
    EXPECT_NEAR(p[0], c.red, tolerance);
    EXPECT_NEAR(p[1], c.green, tolerance);
    EXPECT_NEAR(p[2], c.blue, tolerance);
}

// Pixels of a row band that are near a colour.
int CountNear(const std::vector<uint8_t>& rgb, int frame, int top, int bottom, graphics::Color c) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const uint8_t* p = PixelAt(rgb, frame, x, y);
            count += std::abs(p[0] - c.red) < 30 && std::abs(p[1] - c.green) < 30 &&
                     std::abs(p[2] - c.blue) < 30;
        }
    }
    return count;
}

// The file holds that many pictures and its sound ends with them; answers
// what ffprobe says of the video.
std::map<std::string, std::string> ExpectPicturesAndSound(const std::string& file,
                                                          const char* frames) {
    const auto video = ProbeStream(file, "v:0");
    EXPECT_EQ(video.at("nb_read_frames"), frames);
    const auto audio = ProbeStream(file, "a:0");
    EXPECT_NEAR(std::atof(audio.at("duration").c_str()), std::atof(video.at("duration").c_str()),
                1024.0 / 44100);
    return video;
}

TEST_F(ExportRunTest, LoopsOfARangeWithCounterPictureAndSound) {
    const auto document = SquareDocument();
    const std::string file = PathOf("squares.mp4");
    WritePrecious(file);
    std::vector<std::pair<uint64_t, uint64_t>> calls;
    ExportJob job;
    ASSERT_TRUE(RunExport(job, {file, 10, 13, 2, true}, *document, [&](uint64_t d, uint64_t t) {
        calls.emplace_back(d, t);
        return true;
    }));
    EXPECT_FALSE(job.writer);
    ASSERT_EQ(calls.size(), 6u);
    EXPECT_EQ(calls.front(), std::make_pair(uint64_t{1}, uint64_t{6}));
    EXPECT_EQ(calls.back(), std::make_pair(uint64_t{6}, uint64_t{6}));
    EXPECT_EQ(Files(), std::vector<std::string>{"squares.mp4"});

    EXPECT_EQ(ExpectPicturesAndSound(file, "6").at("r_frame_rate"), "2997/100");

    const std::vector<uint8_t> rgb = DecodeRgb(file);
    ASSERT_EQ(rgb.size(), size_t{6} * kWidth * kHeight * 3);
    const graphics::Color candle = FillColor(CandleColorOf(document->GetKnobValues(10)));
    for (int frame : {0, 5}) {
        // Model y = 0.5 lies in the upper half of the picture: rows 108 to 432.
        ExpectColour(PixelAt(rgb, frame, 750, 150), candle);
        ExpectColour(PixelAt(rgb, frame, 960, 270), graphics::Color(0));
        ExpectColour(PixelAt(rgb, frame, 750, kHeight - 150), graphics::Color(0));
        // The counter sits in the middle: magenta text on dark green.
        EXPECT_GT(CountNear(rgb, frame, 520, 560, graphics::Color(0x006600)), 500);
        EXPECT_GT(CountNear(rgb, frame, 520, 560, graphics::Color(0xFF33FF)), 50);
    }
    // The same picture at the start of each loop, yet the counter counts on.
    int differing = 0;
    for (int y = 520; y < 560; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            differing += std::abs(PixelAt(rgb, 0, x, y)[1] - PixelAt(rgb, 3, x, y)[1]) > 60;
        }
    }
    EXPECT_GT(differing, 8);
}

// The decoded pictures' checksums, one a frame, in order.
std::vector<std::string> FrameSums(const std::string& file) {
    std::istringstream lines(
        test::RunCommand("ffmpeg -v error -i " + file + " -map 0:v -f framemd5 - 2>/dev/null"));
    std::vector<std::string> sums;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.front() != '#') {
            sums.push_back(line.substr(line.rfind(',') + 1));
        }
    }
    return sums;
}

TEST_F(ExportRunTest, EveryFurtherLoopRepeatsTheFirstFromAKeyframe) {
    const auto document = SquareDocument();
    document->GetTimeline().SetAnchor(CandleHueKey, 45, 0.6f);
    const std::string file = PathOf("loops.mp4");
    uint64_t last = 0;
    ExportJob job;
    ASSERT_TRUE(RunExport(job, {file, 5, 45, 3, false}, *document, [&](uint64_t d, uint64_t t) {
        EXPECT_EQ(t, 120u);
        EXPECT_GE(d, last);
        last = d;
        return true;
    }));
    EXPECT_EQ(last, 120u);
    EXPECT_EQ(Files(), std::vector<std::string>{"loops.mp4"});

    EXPECT_EQ(ExpectPicturesAndSound(file, "120").at("profile"), "Main");

    const std::vector<std::string> sums = FrameSums(file);
    ASSERT_EQ(sums.size(), 120u);
    EXPECT_NE(sums[0], sums[39]);
    for (size_t i = 0; i < 40; ++i) {
        EXPECT_EQ(sums[i], sums[i + 40]) << i;
        EXPECT_EQ(sums[i], sums[i + 80]) << i;
    }
    // Keyframes in presentation order: at least each loop's first picture.
    std::istringstream packets(test::RunCommand(
        "ffprobe -v error -select_streams v:0 -show_entries packet=pts,flags -of csv=p=0 " + file));
    std::vector<long> keys;
    for (std::string line; std::getline(packets, line);) {
        if (line.find('K') != std::string::npos) {
            keys.push_back(std::atol(line.c_str()) / 1000);
        }
    }
    for (long start : {0L, 40L, 80L}) {
        EXPECT_NE(std::find(keys.begin(), keys.end(), start), keys.end()) << start;
    }
}

TEST_F(ExportRunTest, FailedOrCancelledExportLeavesTheExistingFile) {
    const std::string file = PathOf("keep.mp4");
    WritePrecious(file);
    auto document = SquareDocument();
    {
        ExportJob job;
        EXPECT_FALSE(RunExport(job, {file, 0, 30, 1, false}, *document,
                               [](uint64_t done, uint64_t) { return done < 2; }));
    }
    EXPECT_EQ(Contents(file), "precious");
    EXPECT_EQ(Files(), std::vector<std::string>{"keep.mp4"});

    document->GetTimeline().SetFrameRate(0);
    {
        ExportJob job;
        EXPECT_THROW(RunExport(job, {file, 0, 30, 1, false}, *document, {}), video::XVideoWriter);
    }
    EXPECT_EQ(Contents(file), "precious");
    EXPECT_EQ(Files(), std::vector<std::string>{"keep.mp4"});

    ExportJob job;
    try {
        RunExport(job, {"", 0, 30, 1, false}, *document, {});
        ADD_FAILURE() << "an empty file name was taken";
    } catch (const core::FileError& e) {
        EXPECT_EQ(e.System(), ENOENT);
    }

    // An abandoned export neither waits for the encoders nor says that no
    // frame was processed.
    document->GetTimeline().SetFrameRate(29970);
    ::testing::internal::CaptureStderr();
    {
        ExportJob cancelled;
        EXPECT_FALSE(RunExport(cancelled, {file, 0, 30, 1, false}, *document,
                               [](uint64_t, uint64_t) { return false; }));
    }
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(Files(), std::vector<std::string>{"keep.mp4"});
}

TEST_F(ExportRunTest, ReplacingALinkWritesWhereItPointsWithItsPermissions) {
    const std::string real = PathOf("real.mp4");
    WritePrecious(real);
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink("real.mp4", PathOf("link.mp4"));
    ExportJob job;
    ASSERT_TRUE(RunExport(job, {PathOf("link.mp4"), 0, 2, 1, false}, *SquareDocument(), {}));
    EXPECT_TRUE(fs::is_symlink(PathOf("link.mp4")));
    EXPECT_EQ(ProbeStream(real, "v:0").at("nb_read_frames"), "2");
    EXPECT_EQ(fs::status(real).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

// One frame as the renderer draws it fitted, in packed R, G, B bytes.
std::vector<uint8_t> RenderedRgb(const std::vector<EvaluatedShape>& shapes, const PumpkinFit& fit) {
    graphics::Graphics graphics{std::make_unique<graphics::QtGraphicsImpl>()};
    graphics::Surface surface = graphics.CreateSurface();
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    {
        graphics::Frame frame = surface.CreateFrame(&image, {0, 0, kWidth, kHeight});
        frame.Clear(graphics::Color{});
        DrawPumpkin(frame, shapes, &fit);
    }
    const QImage rgb = image.convertToFormat(QImage::Format_RGB888);
    std::vector<uint8_t> bytes;
    for (int y = 0; y < kHeight; ++y) {
        bytes.insert(bytes.end(), rgb.constScanLine(y), rgb.constScanLine(y) + kWidth * 3);
    }
    return bytes;
}

TEST_F(ExportRunTest, AFittedVideoShowsWhatTheRendererDrawsFitted) {
    auto document = SquareDocument();
    // The picture leans into the left half of the frame.
    PumpkinFit fit;
    ASSERT_TRUE(fit.SetCorner(0, {0.1f, 0.05f}));
    ASSERT_TRUE(fit.SetCorner(1, {0.6f, 0.1f}));
    ASSERT_TRUE(fit.SetCorner(2, {0.55f, 0.9f}));
    ASSERT_TRUE(fit.SetCorner(3, {0.05f, 0.95f}));
    document->SetFit(fit);
    const std::string file = PathOf("fitted.mp4");
    ExportOptions options{file, 10, 12, 1, false};
    options.fitted = true;
    ExportJob job;
    ASSERT_TRUE(RunExport(job, options, *document, {}));

    const std::vector<uint8_t> video = DecodeRgb(file);
    ASSERT_EQ(video.size(), size_t{2} * kWidth * kHeight * 3);
    const std::vector<uint8_t> drawn = RenderedRgb(document->EvaluateFrame(10), fit);
    // Away from the edges, which the codec softens, every pixel agrees.
    int clear = 0;
    int differing = 0;
    for (size_t i = 0; i < drawn.size(); i += 3) {
        const int red = drawn[i];
        if (red > 200 || red < 50) {
            ++clear;
            differing += std::abs(red - video[i]) > 60;
        }
    }
    EXPECT_GT(clear, kWidth * kHeight * 9 / 10);
    EXPECT_LT(differing, clear / 2000);
    // The lit square moved with the pin: a point of its unfitted right part
    // is dark now, and where the pin shows a point of its left part is lit.
    ExpectColour(PixelAt(video, 0, 1150, 300), graphics::Color(0));
    const std::optional<FitPoint> lit = fit.Map({750.0f / kWidth, 150.0f / kHeight});
    ASSERT_TRUE(lit);
    const graphics::Color candle = FillColor(CandleColorOf(document->GetKnobValues(10)));
    ExpectColour(
        PixelAt(video, 0, static_cast<int>(lit->x * kWidth), static_cast<int>(lit->y * kHeight)),
        candle);
}

TEST_F(ExportRunTest, WithoutAFitAFittedVideoIsTheSameFile) {
    const auto document = SquareDocument();
    ExportOptions options{PathOf("plain.mp4"), 0, 3, 1, false};
    ExportJob plain;
    ASSERT_TRUE(RunExport(plain, options, *document, {}));
    options.fileName = PathOf("fitted.mp4");
    options.fitted = true;
    ExportJob fitted;
    ASSERT_TRUE(RunExport(fitted, options, *document, {}));
    const std::string bytes = Contents(PathOf("plain.mp4"));
    EXPECT_GT(bytes.size(), 1000u);
    EXPECT_EQ(Contents(PathOf("fitted.mp4")), bytes);
}

// The photo to trace is the preview's alone: an opaque photo over the whole
// picture leaves the video byte for byte as it was.
TEST_F(ExportRunTest, APhotoToTraceLeavesTheVideoAsItWas) {
    const auto document = SquareDocument();
    ExportOptions options{PathOf("plain.mp4"), 0, 3, 1, false};
    ExportJob plain;
    ASSERT_TRUE(RunExport(plain, options, *document, {}));
    document->SetPhoto(*TracingPhoto::Make(
        vel::testing::Encoded(vel::testing::PumpkinPhoto(64, 36), "PNG"), {{}, 2.0f, 1.0f}));
    options.fileName = PathOf("photo.mp4");
    ExportJob traced;
    ASSERT_TRUE(RunExport(traced, options, *document, {}));
    const std::string bytes = Contents(PathOf("plain.mp4"));
    EXPECT_GT(bytes.size(), 1000u);
    EXPECT_EQ(Contents(PathOf("photo.mp4")), bytes);
}

TEST_F(ExportRunTest, AudioSlicesFollowPlaybackTimeAndPastTheClipAreSilent) {
    // 44100 ÷ 29.97 = 1471.47...: slices of 1471 and 1472 sample frames,
    // each starting where the one before ended.
    EXPECT_EQ(ExportAudio::FirstSample(1, 29970), 1471u);
    EXPECT_EQ(ExportAudio::FirstSample(2, 29970), 2943u);
    EXPECT_EQ(ExportAudio::FirstSample(17982, 29970), 26460000u);
    EXPECT_EQ(ExportAudio::FirstSample(4294967295u, 29970), 6319921845495u);
    EXPECT_EQ(ExportAudio::FirstSample(7, 30000), 7u * 1470);
    EXPECT_EQ(ExportAudio::FirstSample(7, 0), 0u);

    std::vector<uint8_t> samples;
    for (uint32_t i = 0; i < 3000; ++i) {
        const uint8_t b = static_cast<uint8_t>(i % 250 + 1);
        samples.insert(samples.end(), {b, 0, b, 0});
    }
    const AudioClip clip(AudioHeader::Make(44100, SampleFormat::S16, 2), samples);
    ExportAudio audio(clip, 29970);
    auto bytes = [](const AudioView& v) {
        return std::vector<uint8_t>(v.data, v.data + v.byteCount);
    };
    const std::vector<uint8_t> first = bytes(audio.Slice(0));
    const std::vector<uint8_t> second = bytes(audio.Slice(1));
    ASSERT_EQ(first.size(), 1471u * 4);
    ASSERT_EQ(second.size(), 1472u * 4);
    EXPECT_EQ(std::vector<uint8_t>(samples.begin(), samples.begin() + 2943 * 4), [&] {
        std::vector<uint8_t> joined = first;
        joined.insert(joined.end(), second.begin(), second.end());
        return joined;
    }());
    const std::vector<uint8_t> third = bytes(audio.Slice(2));
    ASSERT_EQ(third.size(), 1471u * 4);
    EXPECT_NE(third[56 * 4], 0);
    EXPECT_EQ(third[57 * 4], 0);
    EXPECT_EQ(bytes(audio.Slice(4000000000u)).size(), 1471u * 4);
}

// Ten minutes of a steady tone through the writer, sliced as the export
// slices it: no silence anywhere and the sound ends with the pictures.
TEST_F(ExportRunTest, TenMinutesOfSoundHaveNoGapAndNoDrift) {
    const uint32_t frames = 17982;
    std::vector<uint8_t> samples(ExportAudio::FirstSample(frames, 29970) * 4);
    for (size_t i = 0; i < samples.size() / 4; ++i) {
        const auto v = static_cast<int16_t>(8000 * std::sin(double(i) * 2 * M_PI * 441 / 44100));
        for (int channel = 0; channel < 2; ++channel) {
            samples[i * 4 + channel * 2] = static_cast<uint8_t>(v);
            samples[i * 4 + channel * 2 + 1] = static_cast<uint8_t>(v >> 8);
        }
    }
    const AudioClip tone(AudioHeader::Make(44100, SampleFormat::S16, 2), std::move(samples));
    const std::string file = PathOf("tone.mp4");
    {
        ExportAudio audio(tone, 29970);
        video::VideoWriter writer(64, 36, 29.97f, file);
        const std::vector<uint8_t> black(64 * 36 * 4, 0);
        for (uint32_t f = 0; f < frames; ++f) {
            const AudioView slice = audio.Slice(f);
            ASSERT_TRUE(writer.WriteVideoFrame(black.data()));
            ASSERT_TRUE(writer.WriteAudio(4, slice.data, slice.byteCount));
            writer.AdvanceTime();
        }
    }
    const double video = std::atof(ProbeStream(file, "v:0").at("duration").c_str());
    const double sound = std::atof(ProbeStream(file, "a:0").at("duration").c_str());
    EXPECT_NEAR(video, 600.0, 0.05);
    EXPECT_NEAR(sound, video, 1024.0 / 44100);
    const std::string silences = test::RunCommand(
        "ffmpeg -v info -i " + file +
        " -map 0:a -af silencedetect=noise=-40dB:duration=0.005 -f null - 2>&1 | grep -c "
        "silence_start");
    EXPECT_EQ(std::atoi(silences.c_str()), 0);
}

TEST_F(ExportRunTest, AudioSlicesAreTheWholeConversionCutUp) {
    std::vector<uint8_t> samples;
    for (int i = 0; i < 7001; ++i) {
        const auto sample = static_cast<int16_t>(i * 7919 % 65536 - 32768);
        samples.push_back(static_cast<uint8_t>(sample & 0xFF));
        samples.push_back(static_cast<uint8_t>((sample >> 8) & 0xFF));
    }
    const AudioClip clip(AudioHeader::Make(8000, SampleFormat::S16, 1), samples);
    std::vector<uint8_t> whole =
        ConvertAudio(clip, AudioHeader::Make(44100, SampleFormat::S16, 2)).Samples();
    ExportAudio audio(clip, 29970);
    std::vector<uint8_t> sliced;
    for (uint32_t frame = 0; sliced.size() < whole.size(); ++frame) {
        const AudioView slice = audio.Slice(frame);
        sliced.insert(sliced.end(), slice.data, slice.data + slice.byteCount);
    }
    whole.resize(sliced.size(), 0);
    EXPECT_EQ(sliced, whole);
}

TEST_F(ExportRunTest, AClipThatClaimsHoursTakesOneSliceOfMemory) {
    // 200,000 samples at 1 Hz: 55 hours, 35 GB once converted at 44,100 Hz.
    const AudioClip clip(AudioHeader::Make(1, SampleFormat::S16, 2),
                         std::vector<uint8_t>(200000 * 4, 0x40));
    ExportAudio audio(clip, 30000);
    const AudioView late = audio.Slice(5000000);
    ASSERT_EQ(late.byteCount, 1470u * 4);
    EXPECT_EQ(late.data[1], 0x40);
}

} // namespace
} // namespace vel::lumo
