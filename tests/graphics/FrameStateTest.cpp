#include "PaintFixture.h"

#include <QImage>

namespace vel::graphics::test {
namespace {

constexpr Color kWhite{0xFFFFFF};
constexpr Color kRed{0xFF0000};

class FrameStateTest : public PaintFixture {
protected:
    FrameStateTest() : PaintFixture(200, 100) {}

    // Draws with the initial pen and text colour on white; expects a fresh
    // frame's state and its marks in black.
    void ExpectInitialState() {
        {
            Frame frame = MakeFrame();
            EXPECT_EQ(frame.GetViewport(), (RectF{0, 0, 200, 100}));
            EXPECT_EQ(frame.GetFont(), surface_.GetDefaultFont());
            frame.Clear(kWhite);
            frame.DrawLine(PointF{0, 20.5f}, PointF{200, 20.5f});
            frame.DrawText(PointF{10, 50}, "Hi");
        }
        EXPECT_EQ(Pixel(100, 20), 0u); // one unit wide
        EXPECT_EQ(Pixel(100, 19), 0xFFFFFFu);
        EXPECT_EQ(Pixel(100, 21), 0xFFFFFFu);
        EXPECT_EQ(Pixel(199, 99), 0xFFFFFFu);
        int ink = 0;
        for (int y = 50; y < 100; ++y) {
            for (int x = 10; x < 100; ++x) {
                const QRgb p = image_.pixel(x, y);
                ASSERT_TRUE(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p)) << x << "," << y;
                ink += qRed(p) < 128;
            }
        }
        EXPECT_GT(ink, 5);
    }
};

TEST_F(FrameStateTest, AColorReadsAsRgbNumberAndIgnoresTheTopByte) {
    const Color color(0xAB123456);
    EXPECT_EQ(color.red, 0x12);
    EXPECT_EQ(color.green, 0x34);
    EXPECT_EQ(color.blue, 0x56);
    EXPECT_EQ(color.Rgb(), 0x123456u);
    static_assert(sizeof(Color) == 3);
}

TEST_F(FrameStateTest, EveryFrameStartsFromTheInitialState) {
    EXPECT_EQ(surface_.GetDpiX(), 96.0f);
    EXPECT_EQ(surface_.GetDpiY(), 96.0f);
    EXPECT_FALSE(surface_.GetDefaultFont().face.empty());
    EXPECT_GT(surface_.GetDefaultFont().size, 0);
    ExpectInitialState();
    {
        Frame frame = MakeFrame();
        frame.SetFont(Font{"Liberation Mono", 30});
        frame.SetViewport({1, 2, 3, 4});
        frame.SetPen(kRed, 9);
        frame.SetTextColor(kRed);
        frame.PushClip();
    }
    ExpectInitialState();
}

TEST_F(FrameStateTest, SurfacesAndFramesOutliveWhatMadeThem) {
    auto graphics = std::make_unique<Graphics>(std::make_unique<QtGraphicsImpl>());
    auto surface = std::make_unique<Surface>(graphics->CreateSurface());
    graphics.reset();
    auto frame = std::make_unique<Frame>(surface->CreateFrame(&image_, {0, 0, 200, 100}));
    surface.reset();
    frame->Clear(kRed);
    frame->DrawText(PointF{0, 0}, "still here");
    frame.reset();
    EXPECT_EQ(Pixel(199, 99), 0xFF0000u);
}

TEST_F(FrameStateTest, ViewportIsTheTargetInLogicalPixels) {
    QImage doubled(200, 100, QImage::Format_RGB32);
    doubled.setDevicePixelRatio(2.0);
    Frame frame = surface_.CreateFrame(&doubled, {0, 0, 200, 100});
    EXPECT_EQ(frame.GetViewport(), (RectF{0, 0, 100, 50}));
}

TEST_F(FrameStateTest, UnitPointsReferToTheViewportWithYUp) {
    Frame frame = MakeFrame();
    frame.SetViewport({10, 20, 110, 220});
    EXPECT_EQ(frame.UnitToDevice({0, 0}), (PointF{10, 220}));
    EXPECT_EQ(frame.UnitToDevice({1, 1}), (PointF{110, 20}));
    EXPECT_EQ(frame.UnitToDevice({0.5, 0.5}), (PointF{60, 120}));
    EXPECT_EQ(frame.UnitToDevice({-1, 2}), (PointF{-90, -180}));
}

TEST_F(FrameStateTest, CloneCopiesStateAndKeepsItsOwn) {
    const Font font{"Liberation Mono", 30, 45, FontWeight::Bold};
    {
        Frame frame = MakeFrame();
        frame.SetFont(font);
        frame.SetViewport({5, 5, 50, 50});
        frame.SetPen(kRed, 4);
        {
            Frame clone = frame.Clone();
            EXPECT_EQ(clone.GetFont(), font);
            EXPECT_EQ(clone.GetViewport(), (RectF{5, 5, 50, 50}));
            clone.DrawLine(PointF{0, 10}, PointF{200, 10});
            clone.SetViewport({0, 0, 1, 1});
            clone.SetFont(Font{});
            clone.SetPen(kWhite, 1);
        }
        EXPECT_EQ(frame.GetFont(), font);
        EXPECT_EQ(frame.GetViewport(), (RectF{5, 5, 50, 50}));
        frame.DrawLine(PointF{0, 60}, PointF{200, 60});
    }
    EXPECT_EQ(Pixel(100, 8), 0xFF0000u); // the clone's red pen, 4 wide
    EXPECT_EQ(Pixel(100, 11), 0xFF0000u);
    EXPECT_EQ(Pixel(100, 61), 0xFF0000u); // the frame's own pen is unchanged
}

} // namespace
} // namespace vel::graphics::test
