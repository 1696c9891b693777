#include "apps/lumo/render/PumpkinRenderer.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/PolygonClip.h"
#include "apps/lumo/render/TargetMapping.h"
#include "core/FileError.h"
#include "graphics/Graphics.h"
#include "graphics/QtGraphicsImpl.h"
#include "tests/support/Pictures.h"

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

using graphics::DeviceRect;

constexpr Rgba kCandle{1.0f, 0.5f, 0.1f, 1.0f}; // bytes 255, 127, 25
constexpr std::uint32_t kCandleRgb = 0xFF7F19;
constexpr Rgba kDark{0, 0, 0, 1};

std::vector<Point> Square(float x, float y, float half) {
    return {{x - half, y - half}, {x + half, y - half}, {x + half, y + half}, {x - half, y + half}};
}

// Paints shapes as the export does: a black 1920 × 1080 picture.
class PumpkinRendererTest : public ::testing::Test {
protected:
    DeviceRect Render(const std::vector<EvaluatedShape>& shapes, const PumpkinFit* fit = nullptr) {
        graphics::Frame frame = surface_.CreateFrame(&image_, {0, 0, 1920, 1080});
        frame.Clear(graphics::Color{});
        return DrawPumpkin(frame, shapes, fit);
    }

    std::uint32_t Pixel(int x, int y) const { return image_.pixel(x, y) & 0xFFFFFF; }

    int Lit() const {
        int count = 0;
        for (int y = 0; y < image_.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
            for (int x = 0; x < image_.width(); ++x) {
                count += (row[x] & 0xFFFFFF) != 0;
            }
        }
        return count;
    }

    graphics::Graphics graphics_{std::make_unique<graphics::QtGraphicsImpl>()};
    graphics::Surface surface_ = graphics_.CreateSurface();
    QImage image_{1920, 1080, QImage::Format_RGB32};
};

TEST_F(PumpkinRendererTest, FillColorChannelsAreTruncatedToBytes) {
    EXPECT_EQ(FillColor({1.0f, 0.999f, 0.5f, 0.0f}).Rgb(), 0xFFFE7Fu);
    EXPECT_EQ(FillColor({0.0f, 1.0f / 255, 0.0f, 1.0f}).Rgb(), 0x000100u);
    EXPECT_EQ(FillColor({2.0f, -0.5f, std::numeric_limits<float>::quiet_NaN(), 1}).Rgb(),
              0xFF0000u);
}

TEST_F(PumpkinRendererTest, LitShapeHasTheCandleColorWhereTheModelPutsIt) {
    // A square high on the face: model y = 0.5 is a quarter of the way down.
    Render({{kCandle, Square(0.0f, 0.5f, 0.1f)}});
    EXPECT_EQ(Pixel(960, 270), kCandleRgb);
    EXPECT_EQ(Pixel(960, 270 + 50), kCandleRgb);
    EXPECT_EQ(Pixel(960, 270 + 60), 0u); // the edge is 54 pixels from the centre
    EXPECT_EQ(Pixel(960, 810), 0u);      // not mirrored to the bottom
    EXPECT_EQ(Pixel(960, 540), 0u);
}

TEST_F(PumpkinRendererTest, DarkShapeDrawnLaterCutsAHole) {
    Render({{kCandle, Square(0, 0, 0.5f)}, {kDark, Square(0.1f, 0, 0.1f)}});
    EXPECT_EQ(Pixel(960 + 54, 540), 0u);
    EXPECT_EQ(Pixel(960 - 54, 540), kCandleRgb);
    EXPECT_EQ(Pixel(960 + 200, 540), kCandleRgb);
    // A dark shape first is covered by the lit one after it.
    Render({{kDark, Square(0.1f, 0, 0.1f)}, {kCandle, Square(0, 0, 0.5f)}});
    EXPECT_EQ(Pixel(960 + 54, 540), kCandleRgb);
}

TEST_F(PumpkinRendererTest, ShapesUnderThreePointsAreSkipped) {
    const DeviceRect painted = Render({{kCandle, {}},
                                       {kCandle, {{0, 0}}},
                                       {kCandle, {{-1, -1}, {1, 1}}},
                                       {kCandle, {{-1, -1}, {0, 0}, {1, 1}}}});
    EXPECT_EQ(Lit(), 0);
    // The collinear three are passed on though they fill nothing.
    EXPECT_EQ(painted, (DeviceRect{419, 0, 1501, 1080}));
    EXPECT_EQ(Render({}), DeviceRect{});
}

TEST_F(PumpkinRendererTest, SelfIntersectingOutlineFillsSolid) {
    // The outline runs round twice: non-zero winding keeps the inside lit.
    std::vector<Point> twice = Square(0, 0, 0.3f);
    const std::vector<Point> again = twice;
    twice.insert(twice.end(), again.begin(), again.end());
    Render({{kCandle, twice}});
    EXPECT_EQ(Pixel(960, 540), kCandleRgb);
}

TEST_F(PumpkinRendererTest, ReportedAreaHoldsEveryPaintedPixel) {
    const DeviceRect painted = Render({{kCandle, Square(-0.5f, 0.3f, 0.2f)},
                                       {kCandle, {{0.2f, -0.2f}, {0.7f, -0.9f}, {0.45f, -0.1f}}},
                                       {kDark, Square(-0.5f, 0.3f, 0.05f)}});
    ASSERT_LT(painted.left, painted.right);
    int outside = 0;
    for (int y = 0; y < 1080; ++y) {
        for (int x = 0; x < 1920; ++x) {
            const bool inside =
                x >= painted.left && x < painted.right && y >= painted.top && y < painted.bottom;
            outside += !inside && Pixel(x, y) != 0;
        }
    }
    EXPECT_EQ(outside, 0);
    // Tight: the shapes span model x -0.7..0.7 and y -0.9..0.5, plus a pixel.
    EXPECT_NEAR(painted.left, 581, 1);
    EXPECT_NEAR(painted.right, 1339, 1);
    EXPECT_NEAR(painted.top, 269, 1);
    EXPECT_NEAR(painted.bottom, 1027, 1);
    // Shapes reaching past the picture are reported within it.
    EXPECT_EQ(Render({{kCandle, Square(2, 0, 1.5f)}}), (DeviceRect{1229, 0, 1920, 1080}));
}

TEST_F(PumpkinRendererTest, AShapeWithAPointThatIsNoNumberIsLeftOutAlone) {
    std::vector<Point> broken = Square(-0.5f, 0.0f, 0.1f);
    broken[2].x = std::numeric_limits<float>::quiet_NaN();
    std::vector<Point> endless = Square(0.0f, -0.5f, 0.1f);
    endless[1].y = std::numeric_limits<float>::infinity();
    const DeviceRect painted =
        Render({{kCandle, broken}, {kCandle, endless}, {kCandle, Square(0.5f, 0.0f, 0.1f)}});
    EXPECT_EQ(Pixel(960 + 270, 540), kCandleRgb);
    // Only the whole square was filled.
    EXPECT_GT(painted.left, 960 + 270 - 60);
    EXPECT_GT(painted.top, 540 - 60);
    EXPECT_EQ(Pixel(960 - 270, 540), 0u);
    EXPECT_EQ(Pixel(960, 540 + 270), 0u);
}

// Points far outside the picture, even where the float mapping is coarse,
// draw what the same outline cut at the picture's edge draws.
TEST_F(PumpkinRendererTest, FarAwayPointsDrawWhatTheVisiblePartDraws) {
    const std::vector<Point> far{{-3e4f, -2e4f}, {0.25f, -2e4f}, {0.25f, 2e4f}, {-3e4f, 2e4f}};
    const std::vector<Point> near{{-2.0f, -1.1f}, {0.25f, -1.1f}, {0.25f, 1.1f}, {-2.0f, 1.1f}};
    // A dark bow tie whose crossing lies in the picture and whose ends lie
    // far out: a sliver along the middle row, and nothing anywhere else.
    const std::vector<Point> bowTie{{-1e5f, 0.5f}, {1e5f, -0.5f}, {1e5f, 0.5f}, {-1e5f, -0.5f}};
    Render({{kCandle, far}, {kDark, bowTie}});
    const QImage farPicture = image_.copy();
    Render({{kCandle, near}});
    EXPECT_EQ(Pixel(960 + 130, 540), kCandleRgb);
    EXPECT_EQ(Pixel(960 + 140, 540), 0u);
    int differing = 0;
    for (int y = 0; y < 1080; ++y) {
        for (int x = 0; x < 1920; ++x) {
            const bool inBowTie = std::abs(y - 540) < 2;
            differing += !inBowTie && farPicture.pixel(x, y) != image_.pixel(x, y);
        }
    }
    EXPECT_EQ(differing, 0);
}

// The example's face, filled from coverage, looks as the painter's own
// polygon fill drew it: a level or two of difference on edge pixels.
TEST_F(PumpkinRendererTest, TheExampleLooksAsThePaintersFillDrewIt) {
    core::FileError error;
    const auto document = LumoDocument::Open(LUMO_EXAMPLE, error);
    ASSERT_TRUE(document);
    const TargetMapping mapping(graphics::RectF{0, 0, 1920, 1080});
    for (uint32_t frame : {0u, 45u, 120u}) {
        const std::vector<EvaluatedShape> shapes = document->EvaluateFrame(frame);
        Render(shapes);
        QImage painted(image_.size(), QImage::Format_RGB32);
        painted.fill(Qt::black);
        {
            QPainter painter(&painted);
            painter.setRenderHint(QPainter::Antialiasing);
            painter.setPen(Qt::NoPen);
            for (const EvaluatedShape& shape : shapes) {
                std::vector<QPointF> corners;
                for (Point point : shape.outline) {
                    const graphics::PointF p = mapping.ToTarget(point);
                    corners.emplace_back(p.x, p.y);
                }
                painter.setBrush(QColor(FillColor(shape.color).Rgb()));
                painter.drawPolygon(corners.data(), static_cast<int>(corners.size()),
                                    Qt::WindingFill);
            }
        }
        EXPECT_LE(testing::LargestDifference(image_, painted), 3) << "frame " << frame;
    }
}

// The picture squeezed into the left half of the frame.
PumpkinFit LeftHalf() {
    PumpkinFit fit;
    fit.SetCorner(1, {0.5f, 0.0f});
    fit.SetCorner(2, {0.5f, 1.0f});
    return fit;
}

TEST_F(PumpkinRendererTest, AFitMovesTheOutlinesWhereItShowsThePicture) {
    // The square round the centre, 108 pixels wide, lands half as wide
    // round x = 480.
    const PumpkinFit pinned = LeftHalf();
    const DeviceRect painted = Render({{kCandle, Square(0, 0, 0.1f)}}, &pinned);
    EXPECT_EQ(Pixel(480, 540), kCandleRgb);
    EXPECT_EQ(Pixel(480 + 24, 540 + 50), kCandleRgb);
    EXPECT_EQ(Pixel(480 + 30, 540), 0u);
    EXPECT_EQ(Pixel(960, 540), 0u);
    EXPECT_NEAR(painted.left, 452, 1);
    EXPECT_NEAR(painted.right, 508, 1);
    EXPECT_NEAR(painted.top, 485, 1);
    EXPECT_NEAR(painted.bottom, 595, 1);

    // The grid's centre handle moved a tenth of the width right takes the
    // middle of the picture with it.
    PumpkinFit bent;
    bent.SetGridOn(true);
    ASSERT_TRUE(bent.SetGridOffset(4, {0.1f, 0.0f}));
    Render({{kCandle, Square(0, 0, 0.1f)}}, &bent);
    EXPECT_EQ(Pixel(960 + 192, 540), kCandleRgb);
    EXPECT_EQ(Pixel(960 - 40, 540), 0u);
}

// Round shapes of 80 points in a 6 × 4 grid over the picture, every third dark.
std::vector<EvaluatedShape> RoundShapes() {
    std::vector<EvaluatedShape> shapes;
    for (int i = 0; i < 24; ++i) {
        const float cx = -1.4f + 0.56f * static_cast<float>(i % 6);
        const float cy = -0.7f + 0.47f * static_cast<float>(i / 6);
        std::vector<Point> outline;
        for (int k = 0; k < 80; ++k) {
            const float t = 6.2831853f * static_cast<float>(k) / 80;
            const float r = 0.2f * (1 + 0.2f * std::sin(4 * t));
            outline.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
        }
        shapes.push_back({i % 3 == 2 ? kDark : kCandle, outline});
    }
    return shapes;
}

// Where edges are short enough that the bend needs no points between them,
// a fitted frame is exactly the fill of every outline point sent through the
// fit one by one: however the warp is made faster, it draws the same pixels.
TEST_F(PumpkinRendererTest, AFittedFrameIsTheFillOfEachPointWhereTheFitShowsIt) {
    PumpkinFit fit;
    fit.SetCorner(0, {0.05f, 0.04f});
    fit.SetCorner(1, {1.04f, -0.03f});
    fit.SetCorner(2, {0.95f, 0.96f});
    fit.SetCorner(3, {-0.04f, 1.03f});
    fit.SetGridOn(true);
    for (std::size_t handle = 0; handle < PumpkinFit::GridCount; ++handle) {
        ASSERT_TRUE(fit.SetGridOffset(handle, {0.03f * static_cast<float>(handle % 3) - 0.02f,
                                               0.01f * static_cast<float>(handle) - 0.04f}));
    }
    const std::vector<EvaluatedShape> shapes = RoundShapes();
    Render(shapes, &fit);
    const QImage fitted = image_.copy();
    {
        graphics::Frame frame = surface_.CreateFrame(&image_, {0, 0, 1920, 1080});
        frame.Clear(graphics::Color{});
        for (const EvaluatedShape& shape : shapes) {
            std::vector<FitPoint> fractions;
            std::vector<graphics::PointF> shown;
            for (graphics::PointF point : ModelToTarget(frame, shape.outline)) {
                fractions.push_back({point.x / 1920.0f, point.y / 1080.0f});
                const std::optional<FitPoint> mapped = fit.Map(fractions.back());
                ASSERT_TRUE(mapped);
                shown.push_back({mapped->x * 1920.0f, mapped->y * 1080.0f});
            }
            ASSERT_EQ(fit.WarpOutline(fractions, 1920, 1080).size(), fractions.size())
                << "no edge needs cutting";
            frame.FillPolygon(ClipToRect(shown, {-4, -4, 1924, 1084}), FillColor(shape.color));
        }
    }
    EXPECT_GT(Lit(), 200000);
    EXPECT_EQ(image_, fitted);
}

TEST_F(PumpkinRendererTest, AFitThatMovesNothingDrawsTheSamePixels) {
    core::FileError error;
    const auto document = LumoDocument::Open(LUMO_EXAMPLE, error);
    ASSERT_TRUE(document);
    const std::vector<EvaluatedShape> shapes = document->EvaluateFrame(45);
    const DeviceRect unfittedArea = Render(shapes);
    const QImage unfitted = image_.copy();
    // The grid switched on but at rest bends nothing either.
    PumpkinFit atRest;
    atRest.SetGridOn(true);
    for (const PumpkinFit& fit : {PumpkinFit(), atRest}) {
        EXPECT_EQ(Render(shapes, &fit), unfittedArea);
        EXPECT_EQ(image_, unfitted);
    }
}

} // namespace
} // namespace vel::lumo
