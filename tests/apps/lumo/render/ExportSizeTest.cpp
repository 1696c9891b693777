#include "apps/lumo/render/CanvasPlacement.h"
#include "apps/lumo/render/ExportRun.h"
#include "apps/lumo/render/VideoSizes.h"
#include "tests/support/MediaProbe.h"
#include "tests/support/TempFolder.h"

#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

using test::ProbeStream;

// A lit square of side one model unit round the centre, and a lit bar above
// it that reaches past the canvas's top and sides.
std::unique_ptr<LumoDocument> SquareAndBar() {
    auto document = LumoDocument::New();
    const auto rectangle = [](float left, float bottom, float right, float top) {
        return Shape{
            Shape::CandleColor,
            "lit",
            {Pose{KnobKey(), {{left, bottom}, {right, bottom}, {right, top}, {left, top}}}}};
    };
    document->GetModel().InsertShape(0, rectangle(-0.5f, -0.5f, 0.5f, 0.5f));
    document->GetModel().InsertShape(1, rectangle(-3.0f, 0.8f, 3.0f, 1.6f));
    document->SynchroniseTimeline();
    return document;
}

class ExportSizeTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return folder_ / name; }
    std::string Export(const LumoDocument& document, ExportOptions options) const {
        options.fileName = PathOf(VideoSizeName(options.size) + ".mp4");
        ExportJob job;
        EXPECT_TRUE(RunExport(job, options, document, {}));
        return options.fileName;
    }

    testing::TempFolder folder_;
};

TEST_F(ExportSizeTest, EverySizeReadsBackAsMainProfileAtItsLevelWithSound) {
    const auto document = SquareAndBar();
    struct Expected {
        CanvasSize size;
        const char* level;
    };
    const Expected expected[] = {{{1920, 1080}, "40"}, {{1280, 720}, "31"},  {{1024, 768}, "31"},
                                 {{800, 600}, "31"},   {{1080, 1920}, "40"}, {{3840, 2160}, "51"}};
    ASSERT_EQ(VideoSizes().size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const CanvasSize size = VideoSizes()[i].size;
        ASSERT_EQ(size, expected[i].size);
        ExportOptions options{"", 0, 3};
        options.size = size;
        const std::string file = Export(*document, options);
        const auto video = ProbeStream(file, "v:0");
        EXPECT_EQ(video.at("width"), std::to_string(size.width)) << file;
        EXPECT_EQ(video.at("height"), std::to_string(size.height)) << file;
        EXPECT_EQ(video.at("profile"), "Main") << file;
        EXPECT_EQ(video.at("level"), expected[i].level) << file;
        EXPECT_EQ(video.at("pix_fmt"), "yuv420p") << file;
        // A constant rate: the average is the stream's own.
        EXPECT_EQ(video.at("r_frame_rate"), "2997/100") << file;
        EXPECT_EQ(video.at("avg_frame_rate"), "2997/100") << file;
        EXPECT_EQ(video.at("nb_read_frames"), "3") << file;
        const auto sound = ProbeStream(file, "a:0");
        EXPECT_EQ(sound.at("codec_name"), "aac") << file;
        EXPECT_EQ(sound.at("sample_rate"), "44100") << file;
        EXPECT_EQ(sound.at("channels"), "2") << file;
        // The index at the front, so that a player starts at once.
        const std::vector<std::string> boxes = test::Mp4Boxes(file);
        const auto moov = std::find(boxes.begin(), boxes.end(), "moov");
        EXPECT_LT(moov, std::find(boxes.begin(), boxes.end(), "mdat")) << file;
    }
}

// Where the first picture of a video is lit, row by row and column by column
// through the centre.
struct LitExtent {
    int left = -1, right = -1, top = -1, bottom = -1;
};

LitExtent FirstPictureLit(const std::string& file, CanvasSize size) {
    const std::vector<uint8_t> rgb = test::DecodeRgb(file, 1);
    const int width = static_cast<int>(size.width);
    const int height = static_cast<int>(size.height);
    EXPECT_EQ(rgb.size(), size_t(width) * size_t(height) * 3);
    if (rgb.size() != size_t(width) * size_t(height) * 3) {
        return {};
    }
    const auto lit = [&](int x, int y) {
        return rgb[(size_t(y) * width + x) * 3] > 128;
    };
    LitExtent extent;
    for (int x = 0; x < width; ++x) {
        if (lit(x, height / 2)) {
            extent.left = extent.left < 0 ? x : extent.left;
            extent.right = x + 1;
        }
    }
    for (int y = 0; y < height; ++y) {
        if (lit(width / 2, y)) {
            extent.top = extent.top < 0 ? y : extent.top;
            extent.bottom = y + 1;
        }
    }
    return extent;
}

TEST_F(ExportSizeTest, TheFaceKeepsItsShapeWithBlackBarsOnNarrowAndTallPictures) {
    const auto document = SquareAndBar();
    struct Case {
        CanvasSize size;
        float unit;   // pixels of one model unit: half the canvas's height
        float barTop; // rows of black above the canvas
    };
    // 16:9 fills 1024 × 576 of 1024 × 768, and 1080 × 607.5 of 1080 × 1920.
    for (const Case& c : {Case{{1920, 1080}, 540, 0}, Case{{1024, 768}, 288, 96},
                          Case{{1080, 1920}, 303.75f, 656.25f}}) {
        ExportOptions options{"", 0, 1};
        options.size = c.size;
        const LitExtent lit = FirstPictureLit(Export(*document, options), c.size);
        const float middleX = static_cast<float>(c.size.width) / 2;
        const float middleY = static_cast<float>(c.size.height) / 2;
        // The square is square, one unit wide, in the middle.
        EXPECT_NEAR(lit.left, middleX - c.unit / 2, 2) << c.size.width;
        EXPECT_NEAR(lit.right, middleX + c.unit / 2, 2) << c.size.width;
        // Down the middle: the bar from the canvas's top, then the square.
        EXPECT_NEAR(lit.top, c.barTop, 2) << c.size.width;
        EXPECT_NEAR(lit.bottom, middleY + c.unit / 2, 2) << c.size.width;
    }
}

TEST_F(ExportSizeTest, TheFitWorksInFractionsOfTheWholePicture) {
    auto document = SquareAndBar();
    // The picture squeezed into the left half of the frame.
    PumpkinFit fit;
    ASSERT_TRUE(fit.SetCorner(1, {0.5f, 0.0f}));
    ASSERT_TRUE(fit.SetCorner(2, {0.5f, 1.0f}));
    document->SetFit(fit);
    ExportOptions options{"", 0, 1};
    options.size = {1024, 768};
    options.fitted = true;
    const std::vector<uint8_t> rgb = test::DecodeRgb(Export(*document, options), 1);
    ASSERT_EQ(rgb.size(), size_t{1024} * 768 * 3);
    const auto lit = [&](int x, int y) {
        return rgb[(size_t(y) * 1024 + x) * 3] > 128;
    };
    // The square's centre moves from (512, 384) to (256, 384); the bars stay
    // black and the bar reaches the squeezed canvas's top.
    EXPECT_TRUE(lit(256, 384));
    EXPECT_FALSE(lit(512, 384));
    EXPECT_FALSE(lit(256, 80));
    EXPECT_TRUE(lit(256, 100));
}

TEST_F(ExportSizeTest, ADocumentWithoutAClipGetsASilentSoundTrackAsLongAsThePictures) {
    const auto document = SquareAndBar();
    ASSERT_TRUE(document->GetAudio().Samples().empty());
    ExportOptions options{"", 0, 30};
    options.size = {800, 600};
    const std::string file = Export(*document, options);
    const auto video = ProbeStream(file, "v:0");
    const auto sound = ProbeStream(file, "a:0");
    ASSERT_EQ(sound.at("codec_name"), "aac");
    EXPECT_EQ(sound.at("channels"), "2");
    EXPECT_NEAR(std::atof(sound.at("duration").c_str()), std::atof(video.at("duration").c_str()),
                1024.0 / 44100);
    EXPECT_LE(test::MaxVolume(file), -90.0);
}

TEST_F(ExportSizeTest, MinutesLoopTheRangeOnUntilTheVideoLastsThatLong) {
    // 100 frames at 29.97: one minute is 1798.2 frames, 18 loops.
    ExportOptions options{"", 0, 100, 1};
    EXPECT_EQ(TotalLoops(options, 29970), 1u);
    options.minutes = 1;
    EXPECT_EQ(TotalLoops(options, 29970), 18u);
    // The loop count still holds where it asks for more.
    options.loopCount = 25;
    EXPECT_EQ(TotalLoops(options, 29970), 25u);
    options.loopCount = 1;
    // A minute of 30 frames a second is exactly 18 loops; 1 frame more, 19.
    EXPECT_EQ(TotalLoops(options, 30000), 18u);
    options.endFrame = 99;
    EXPECT_EQ(TotalLoops(options, 30000), 19u);
    // Past a day, and on a range of one frame at a huge rate, the count is
    // held to what it can hold.
    options.endFrame = 1;
    options.minutes = 4000000000u;
    EXPECT_EQ(TotalLoops(options, 30000), MaximumMinutes * 60u * 30u);
    EXPECT_EQ(TotalLoops(options, 4000000000u), 4294967295u);
    options.endFrame = 0;
    EXPECT_EQ(TotalLoops(options, 30000), 1u);

    // A whole export: a second looped on for a minute.
    const auto document = SquareAndBar();
    ExportOptions minute{"", 0, 30, 1};
    minute.size = {800, 600};
    minute.minutes = 1;
    uint64_t total = 0;
    ExportJob job;
    minute.fileName = PathOf("minute.mp4");
    ASSERT_TRUE(RunExport(job, minute, *document, [&](uint64_t, uint64_t t) {
        total = t;
        return true;
    }));
    EXPECT_EQ(total, 1800u);
    const double seconds = std::atof(ProbeStream(minute.fileName, "v:0").at("duration").c_str());
    EXPECT_GE(seconds, 60.0);
    EXPECT_LT(seconds, 60.2);
}

TEST_F(ExportSizeTest, ThePlacementCutsWhatLiesOutsideTheCanvas) {
    EXPECT_TRUE(CanvasPlacement(VideoSize, {1280, 720}).Fills());
    EXPECT_TRUE(CanvasPlacement({}, {3840, 2160}).Fills());
    const CanvasPlacement narrow(VideoSize, {1024, 768});
    ASSERT_FALSE(narrow.Fills());
    const float nan = std::nanf("");
    const std::vector<EvaluatedShape> placed = narrow.Place({
        {Rgba{}, {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}}},
        {Rgba{}, {{0, 2}, {1, 2}, {1, 3}}},
        {Rgba{}, {{0, 0}, {nan, 0}, {0, 1}}},
    });
    // Only the square is left, scaled by 288 ÷ 384 about the centre.
    ASSERT_EQ(placed.size(), 1u);
    for (Point point : placed[0].outline) {
        EXPECT_FLOAT_EQ(std::abs(point.x), 0.75f);
        EXPECT_FLOAT_EQ(std::abs(point.y), 0.75f);
    }
}

} // namespace
} // namespace vel::lumo
