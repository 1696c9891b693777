#include "PaintFixture.h"

#include <cmath>
#include <limits>

namespace vel::graphics::test {
namespace {

constexpr Color kRed{0xFF0000};
constexpr Color kGreen{0x00FF00};
constexpr Color kWhite{0xFFFFFF};

class FrameDrawingTest : public PaintFixture {};

TEST_F(FrameDrawingTest, FillPolygonNeedsThreePointsWithArea) {
    {
        Frame frame = MakeFrame();
        frame.FillPolygon({}, kWhite);
        frame.FillPolygon({{10, 10}}, kWhite);
        frame.FillPolygon({{10, 10}, {90, 90}}, kWhite);
        frame.FillPolygon({{10, 10}, {50, 50}, {90, 90}}, kWhite);
    }
    EXPECT_EQ(Lit(), 0);
    {
        Frame frame = MakeFrame();
        frame.FillPolygon({{10, 10}, {90, 10}, {10, 90}}, kRed);
    }
    EXPECT_EQ(Pixel(20, 20), 0xFF0000u);
    EXPECT_EQ(Pixel(80, 80), 0u);
}

TEST_F(FrameDrawingTest, FillPolygonUsesNonZeroWinding) {
    {
        Frame frame = MakeFrame();
        // A five-pointed star drawn in one stroke: its centre winds twice.
        std::vector<PointF> star;
        for (int i = 0; i < 5; ++i) {
            const double angle = M_PI / 2 + i * 4 * M_PI / 5;
            star.push_back({static_cast<float>(50 + 45 * std::cos(angle)),
                            static_cast<float>(50 - 45 * std::sin(angle))});
        }
        frame.FillPolygon(star, kWhite);
    }
    EXPECT_EQ(Pixel(50, 50), 0xFFFFFFu);
    image_.fill(Qt::black);
    {
        Frame frame = MakeFrame();
        // Two nested squares traced the same way round, joined by a seam.
        frame.FillPolygon({{10, 10},
                           {90, 10},
                           {90, 90},
                           {10, 90},
                           {10, 10},
                           {30, 30},
                           {70, 30},
                           {70, 70},
                           {30, 70},
                           {30, 30}},
                          kWhite);
    }
    EXPECT_EQ(Pixel(50, 50), 0xFFFFFFu);
    EXPECT_EQ(Pixel(20, 50), 0xFFFFFFu);
}

TEST_F(FrameDrawingTest, LaterFillsCoverEarlierOnes) {
    {
        Frame frame = MakeFrame();
        frame.Clear(kGreen);
        frame.FillRect({20, 20, 80, 80}, kRed);
        frame.FillPolygon({{40, 40}, {60, 40}, {60, 60}, {40, 60}}, Color{});
    }
    EXPECT_EQ(Pixel(5, 5), 0x00FF00u);
    EXPECT_EQ(Pixel(30, 30), 0xFF0000u);
    EXPECT_EQ(Pixel(50, 50), 0u);
}

TEST_F(FrameDrawingTest, FillsStayFilledAfterStrokesAndText) {
    {
        Frame frame = MakeFrame();
        frame.FillPolygon({{0, 0}, {20, 0}, {20, 20}, {0, 20}}, kRed);
        frame.SetPen(kGreen, 1);
        frame.DrawRect({40, 40, 60, 60});
        frame.FillPolygon({{70, 70}, {90, 70}, {90, 90}, {70, 90}}, kRed);
        Frame clone = frame.Clone();
        clone.DrawText(PointF{0, 30}, "x");
        frame.FillPolygon({{70, 0}, {90, 0}, {90, 20}, {70, 20}}, kRed);
    }
    EXPECT_EQ(Pixel(10, 10), 0xFF0000u);
    EXPECT_EQ(Pixel(50, 50), 0u); // the rectangle was not filled
    EXPECT_EQ(Pixel(80, 80), 0xFF0000u);
    EXPECT_EQ(Pixel(80, 10), 0xFF0000u);
}

TEST_F(FrameDrawingTest, PolylineDrawsSeparateOpenSegments) {
    {
        Frame frame = MakeFrame();
        frame.SetPen(kWhite, 2);
        frame.DrawPolyline(std::vector<PointF>{{50, 50}});
    }
    EXPECT_EQ(Lit(), 0);
    {
        Frame frame = MakeFrame();
        frame.SetPen(kWhite, 2);
        frame.DrawPolyline(std::vector<PointF>{{10, 10}, {90, 10}, {90, 90}});
    }
    EXPECT_EQ(Pixel(50, 10), 0xFFFFFFu);
    EXPECT_EQ(Pixel(90, 50), 0xFFFFFFu);
    EXPECT_EQ(Pixel(50, 50), 0u); // on the closing diagonal, which is not drawn
}

TEST_F(FrameDrawingTest, UnitPointsMapThroughTheViewport) {
    {
        Frame frame = MakeFrame();
        frame.SetPen(kWhite, 2);
        frame.SetViewport({0, 0, 100, 50});
        frame.DrawLine(UnitPoint{0, 0.5}, UnitPoint{1, 0.5});
        frame.DrawPolyline(std::vector<UnitPoint>{{0.5, 0}, {0.5, -1}});
    }
    EXPECT_EQ(Pixel(10, 25), 0xFFFFFFu);
    EXPECT_EQ(Pixel(50, 75), 0xFFFFFFu); // y below 0 lies under the viewport
    EXPECT_EQ(Pixel(50, 40), 0u);
}

TEST_F(FrameDrawingTest, PenWidthNotAboveZeroIsOneUnit) {
    auto rowsLitBy = [this](float width) {
        image_.fill(Qt::black);
        {
            Frame frame = MakeFrame();
            frame.SetPen(kWhite, width);
            frame.DrawLine(PointF{0, 50}, PointF{100, 50});
        }
        return Lit(50, 40, 51, 60);
    };
    const int one = rowsLitBy(1.0f);
    EXPECT_GT(one, 0);
    EXPECT_EQ(rowsLitBy(0.0f), one);
    EXPECT_EQ(rowsLitBy(-2.0f), one);
    EXPECT_EQ(rowsLitBy(std::numeric_limits<float>::quiet_NaN()), one);
    EXPECT_GT(rowsLitBy(6.0f), one);
}

TEST_F(FrameDrawingTest, DrawRectStrokesTheOutlineOnly) {
    {
        Frame frame = MakeFrame();
        frame.SetPen(kRed, 2);
        frame.DrawRect({20, 20, 80, 80});
    }
    EXPECT_EQ(Pixel(50, 20), 0xFF0000u);
    EXPECT_EQ(Pixel(80, 50), 0xFF0000u);
    EXPECT_EQ(Pixel(50, 50), 0u);
}

TEST_F(FrameDrawingTest, ClipsNestAndPop) {
    {
        Frame frame = MakeFrame();
        frame.SetViewport({0, 0, 50, 100});
        frame.PushClip();
        frame.SetViewport({0, 0, 100, 50});
        frame.PushClip(); // now only the top-left quarter
        frame.SetViewport({0, 0, 100, 100});
        frame.Clear(kRed);
        frame.PopClip(); // back to the left half
        frame.FillRect({0, 0, 100, 100}, kGreen);
    }
    EXPECT_EQ(Pixel(10, 10), 0x00FF00u);
    EXPECT_EQ(Pixel(10, 90), 0x00FF00u);
    EXPECT_EQ(Pixel(90, 10), 0u);
    EXPECT_EQ(Pixel(90, 90), 0u);
}

TEST_F(FrameDrawingTest, DestroyedFramesPopTheirClips) {
    {
        Frame frame = MakeFrame();
        {
            Frame clone = frame.Clone();
            clone.SetViewport({0, 0, 10, 10});
            clone.PushClip();
            clone.FillRect({0, 0, 100, 100}, kRed);
        }
        // The clone's clip is gone and the pass goes on.
        frame.FillRect({50, 50, 100, 100}, kGreen);
        frame.SetViewport({0, 0, 20, 20});
        frame.PushClip();
        frame.PushClip();
    }
    EXPECT_EQ(Pixel(5, 5), 0xFF0000u);
    EXPECT_EQ(Pixel(30, 30), 0u);
    EXPECT_EQ(Pixel(70, 70), 0x00FF00u);
    {
        // The previous pass ended with its clips popped: a new one paints anywhere.
        Frame frame = MakeFrame();
        frame.Clear(kWhite);
    }
    EXPECT_EQ(Pixel(99, 99), 0xFFFFFFu);
}

TEST_F(FrameDrawingTest, PopClipWithoutOwnClipKeepsOthersClips) {
    {
        Frame frame = MakeFrame();
        frame.SetViewport({0, 0, 10, 10});
        frame.PushClip();
        Frame clone = frame.Clone();
        clone.PopClip();
        clone.FillRect({0, 0, 100, 100}, kRed);
    }
    EXPECT_EQ(Pixel(5, 5), 0xFF0000u);
    EXPECT_EQ(Pixel(50, 50), 0u);
}

TEST_F(FrameDrawingTest, NothingLandsOutsideTheTarget) {
    {
        Frame frame = surface_.CreateFrame(&image_, {0, 0, 40, 30});
        frame.Clear(kRed);
        frame.FillRect({0, 0, 100, 100}, kGreen);
    }
    EXPECT_EQ(Pixel(39, 29), 0x00FF00u);
    EXPECT_EQ(Pixel(40, 10), 0u);
    EXPECT_EQ(Pixel(10, 30), 0u);
}

TEST_F(FrameDrawingTest, ColorsArriveAsByteOrderBlueGreenRed) {
    {
        Frame frame = MakeFrame();
        frame.Clear(Color{0x123456});
    }
    const uchar* bytes = image_.constBits();
    EXPECT_EQ(bytes[0], 0x56);
    EXPECT_EQ(bytes[1], 0x34);
    EXPECT_EQ(bytes[2], 0x12);
}

TEST_F(FrameDrawingTest, AFrameThatCannotBindThrows) {
    QImage empty;
    try {
        surface_.CreateFrame(&empty, {0, 0, 10, 10});
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Could not bind the render target to the DC.");
    }
    EXPECT_THROW(surface_.CreateFrame(nullptr, {0, 0, 10, 10}), std::runtime_error);
}

} // namespace
} // namespace vel::graphics::test
