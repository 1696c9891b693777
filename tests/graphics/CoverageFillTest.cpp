#include "PaintFixture.h"
#include "graphics/QtCoverageFill.h"
#include "tests/support/Pictures.h"

#include <QPainter>
#include <algorithm>
#include <cmath>
#include <limits>
#include <random>

namespace vel::graphics::test {
namespace {

constexpr Color kCandle{0xFF9919};

using Outline = std::vector<PointF>;

// n points on a circle, each joined to one almost opposite: every edge
// crosses nearly every other.
Outline Star(int n, float cx, float cy, float radius) {
    Outline points;
    const int step = n / 2 - 1;
    for (int i = 0; i < n; ++i) {
        const double angle =
            2 * M_PI * static_cast<double>((static_cast<long long>(i) * step) % n) / n;
        points.push_back({static_cast<float>(cx + radius * std::cos(angle)),
                          static_cast<float>(cy + radius * std::sin(angle))});
    }
    return points;
}

Outline Circle(float cx, float cy, float radius, int n) {
    Outline points;
    for (int i = 0; i < n; ++i) {
        const double angle = 2 * M_PI * i / n;
        points.push_back({static_cast<float>(cx + radius * std::cos(angle)),
                          static_cast<float>(cy + radius * std::sin(angle))});
    }
    return points;
}

// Outlines like a carved face and worse: convex and concave, thin, shallow,
// nested, self-crossing, partly or wholly off the picture, on pixel edges.
std::vector<Outline> Shapes() {
    std::vector<Outline> shapes = {
        {{20.5f, 20.25f}, {180.75f, 30.5f}, {100.2f, 170.8f}},
        {{10, 10}, {60, 10}, {60, 60}, {10, 60}},
        {{70, 100}, {190, 102}, {190, 106}, {70, 104}},
        {{5, 190}, {195, 150}, {100, 195}},
        {{-40.5f, 50}, {40, -30.25f}, {90, 90}, {30, 250}},
        {{150, 150}, {260, 120}, {240, 260}},
        {{120, 20},
         {170, 20},
         {170, 70},
         {120, 70},
         {120, 20},
         {130, 30},
         {160, 30},
         {160, 60},
         {130, 60},
         {130, 30}},
        {{120, 120},
         {170, 120},
         {170, 170},
         {120, 170},
         {120, 120},
         {130, 130},
         {130, 160},
         {160, 160},
         {160, 130},
         {130, 130}},
        Star(5, 100, 100, 90),
        Star(64, 100, 100, 70),
        Circle(60, 140, 33.3f, 60),
    };
    std::mt19937 random(7);
    std::uniform_real_distribution<float> coordinate(-20, 220);
    Outline scribble;
    for (int i = 0; i < 40; ++i) {
        scribble.push_back({coordinate(random), coordinate(random)});
    }
    shapes.push_back(scribble);
    return shapes;
}

class CoverageFillTest : public PaintFixture {
protected:
    CoverageFillTest() : PaintFixture(200, 200) {}

    // The same outline filled by the painter's own polygon fill.
    QImage PainterFill(const Outline& outline) const {
        QImage image(image_.size(), QImage::Format_RGB32);
        image.fill(Qt::black);
        std::vector<QPointF> corners;
        for (PointF point : outline) {
            corners.emplace_back(point.x, point.y);
        }
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(kCandle.Rgb()));
        painter.drawPolygon(corners.data(), static_cast<int>(corners.size()), Qt::WindingFill);
        return image;
    }

    void Fill(const Outline& outline) {
        image_.fill(Qt::black);
        Frame frame = MakeFrame();
        frame.FillPolygon(outline, kCandle);
    }
};

TEST_F(CoverageFillTest, MatchesThePaintersFillWithinItsAntiAliasing) {
    // A level or two of 255 on edge pixels is rounding of the coverage;
    // a wrong area or a wrong winding would be off by far more.
    for (const Outline& outline : Shapes()) {
        Fill(outline);
        EXPECT_LE(testing::LargestDifference(image_, PainterFill(outline)), 3)
            << outline.size() << " points";
    }
}

TEST_F(CoverageFillTest, ClippedOrScaledPaintersGetTheSamePicture) {
    // Straight onto the picture, then through an image (a clip that cuts
    // pixels, a picture that is not premultiplied).
    const Outline outline = Star(64, 100, 100, 70);
    Fill(outline);
    const QImage direct = image_.copy();
    QImage loose(image_.size(), QImage::Format_ARGB32);
    loose.fill(Qt::black);
    {
        QPainter painter(&loose);
        FillByCoverage(painter, QRectF(0, 0, 200, 200), outline, QColor(kCandle.Rgb()));
    }
    EXPECT_LE(testing::LargestDifference(direct, loose), 1);
    image_.fill(Qt::black);
    {
        Frame frame = MakeFrame();
        frame.SetViewport({0.5f, 0, 100.5f, 200});
        frame.PushClip();
        frame.FillPolygon(outline, kCandle);
    }
    EXPECT_EQ(Pixel(120, 100), 0u); // right of the clip
    EXPECT_EQ(Pixel(60, 100), direct.pixel(60, 100) & 0xFFFFFF);
    EXPECT_LE(testing::LargestDifference(image_.copy(1, 0, 99, 200), direct.copy(1, 0, 99, 200)),
              1);
}

TEST_F(CoverageFillTest, EdgesThatLieOnOneAnotherAddUpOrCancel) {
    const Outline square{{20, 20}, {80, 20}, {80, 80}, {20, 80}};
    Outline twice = square;
    twice.insert(twice.end(), square.begin(), square.end());
    Fill(twice);
    EXPECT_EQ(Pixel(50, 50), kCandle.Rgb()); // wound twice is inside once
    EXPECT_LE(testing::LargestDifference(image_, PainterFill(square)), 3);
    // Around and straight back again encloses nothing.
    Outline back = square;
    back.insert(back.end(), square.rbegin(), square.rend());
    Fill(back);
    EXPECT_EQ(Lit(), 0);
}

TEST_F(CoverageFillTest, FarAwayAndBrokenPointsCostNothing) {
    // Points a million pixels out draw what the picture can hold of them.
    Fill({{-1e6f, -1e6f}, {1e6f, -1e6f}, {1e6f, 1e6f}, {-1e6f, 1e6f}});
    EXPECT_EQ(Lit(), 200 * 200);
    Fill({{-1e30f, 100}, {100, -1e30f}, {1e30f, 100}});
    EXPECT_EQ(Pixel(100, 50), kCandle.Rgb());
    EXPECT_EQ(Pixel(100, 150), 0u);
    for (float broken :
         {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity()}) {
        Fill({{10, 10}, {190, 10}, {broken, 100}, {10, 190}});
        EXPECT_EQ(Lit(), 0);
    }
}

TEST_F(CoverageFillTest, VeryLongSelfCrossingOutlinesAreFilled) {
    // Two hundred thousand crossing edges, filled on several threads. The
    // outline winds at least once everywhere within half its radius; further
    // out its points are spikes finer than a pixel, so there the pixels are
    // partly lit, and the corners stay dark.
    Fill(Star(200000, 100, 100, 95));
    EXPECT_EQ(Pixel(100, 100), kCandle.Rgb());
    EXPECT_EQ(Pixel(70, 100), kCandle.Rgb());
    EXPECT_EQ(Pixel(100, 140), kCandle.Rgb());
    EXPECT_NE(Pixel(30, 100), 0u);
    EXPECT_EQ(Pixel(2, 2), 0u);
    EXPECT_EQ(Pixel(197, 197), 0u);
}

} // namespace
} // namespace vel::graphics::test
