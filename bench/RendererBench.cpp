// What one frame of drawing costs at 1920 x 1080 for the example, for
// faces of 40 and of 200 wavy 60-point shapes, and for documents built to
// hurt: a point that is no number, points far outside the picture, and
// outlines of up to a million points that cross themselves everywhere; and
// the example and the wavy faces fitted to the pumpkin, by a corner pin
// alone and with the grid bent too. Each repetition fills one frame into a
// picture as the export does; "lit" counts the pixels it left not black, so
// that a fitted frame can be compared with an unfitted one of the same area.

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/PumpkinFit.h"
#include "apps/lumo/render/PolygonClip.h"
#include "apps/lumo/render/PumpkinRenderer.h"
#include "bench/WavyFace.h"
#include "core/FileError.h"
#include "graphics/Graphics.h"
#include "graphics/QtGraphicsImpl.h"

#include <QImage>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <limits>
#include <random>

namespace {

using namespace vel::lumo;

std::vector<EvaluatedShape> ExampleFrame() {
    vel::core::FileError error;
    auto document = LumoDocument::Open(LUMO_EXAMPLE, error);
    return document ? document->EvaluateFrame(0) : std::vector<EvaluatedShape>{};
}

// A star of n points whose edges all cross one another.
std::vector<Point> Star(std::size_t n, float radius) {
    std::vector<Point> points;
    const std::size_t step = n / 2 - 1;
    for (std::size_t i = 0; i < n; ++i) {
        const float a = 6.2831853f * float((i * step) % n) / float(n);
        points.push_back({radius * std::cos(a), radius * std::sin(a)});
    }
    return points;
}

constexpr int Width = 1920;
constexpr int Height = 1080;

int Lit(const QImage& picture) {
    int lit = 0;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        lit += static_cast<int>(
            std::count_if(row, row + picture.width(), [](QRgb pixel) { return qGray(pixel) > 0; }));
    }
    return lit;
}

// Fills a frame in each repetition as `fill` does it.
template <typename Fill> void Repeat(benchmark::State& state, Fill fill) {
    vel::graphics::Graphics graphics{std::make_unique<vel::graphics::QtGraphicsImpl>()};
    vel::graphics::Surface surface = graphics.CreateSurface();
    QImage picture(Width, Height, QImage::Format_RGB32);
    for (auto _ : state) {
        vel::graphics::Frame frame = surface.CreateFrame(&picture, {0, 0, Width, Height});
        frame.Clear(vel::graphics::Color{});
        fill(frame);
    }
    state.counters["lit"] = Lit(picture);
}

void Draw(benchmark::State& state, const std::vector<EvaluatedShape>& shapes,
          const PumpkinFit* fit = nullptr) {
    Repeat(state, [&](vel::graphics::Frame& frame) {
        benchmark::DoNotOptimize(DrawPumpkin(frame, shapes, fit));
    });
}

const Rgba Candle{1.0f, 0.6f, 0.1f, 1.0f};

void Example(benchmark::State& state) {
    Draw(state, ExampleFrame());
}

void ExampleWithAPointThatIsNoNumber(benchmark::State& state) {
    std::vector<EvaluatedShape> shapes = ExampleFrame();
    shapes.front().outline.front().x = std::numeric_limits<float>::quiet_NaN();
    Draw(state, shapes);
}

void ExampleWithFarPoints(benchmark::State& state) {
    std::vector<EvaluatedShape> shapes = ExampleFrame();
    for (EvaluatedShape& shape : shapes) {
        shape.outline.front() = {5000.0f, -5000.0f};
    }
    Draw(state, shapes);
}

std::size_t Points(const benchmark::State& state) {
    return static_cast<std::size_t>(state.range(0));
}

void TwoHundredShapes(benchmark::State& state) {
    Draw(state, bench::TwoHundredShapes());
}

void FortyShapes(benchmark::State& state) {
    Draw(state, bench::FortyShapes());
}

// The picture leaning on a pumpkin, and with the grid on, its middle pushed
// out and the handles round it pulled in as on a round surface. The picture
// shows smaller (its corners all move inward), its middle wider.
PumpkinFit Leaning(bool grid) {
    PumpkinFit fit;
    fit.SetCorner(0, {0.06f, 0.04f});
    fit.SetCorner(1, {0.95f, 0.1f});
    fit.SetCorner(2, {0.88f, 0.94f});
    fit.SetCorner(3, {0.02f, 0.98f});
    fit.SetGridOn(grid);
    for (std::size_t handle = 0; handle < PumpkinFit::GridCount; ++handle) {
        const std::size_t column = handle % PumpkinFit::GridSide;
        const std::size_t row = handle / PumpkinFit::GridSide;
        fit.SetGridOffset(handle, {0.04f * (static_cast<float>(column) - 1),
                                   0.04f * (static_cast<float>(row) - 1)});
    }
    return fit;
}

PumpkinFit LeaningPinned() {
    return Leaning(false);
}

PumpkinFit LeaningBent() {
    return Leaning(true);
}

// A pin that moves two opposite corners inward and the other two outward by
// about as much, and a grid that bends the middle row right and the middle
// column down and the outer ones back: the face shows in perspective and
// bent, over about the area it covers unfitted, so the fill has as much to
// do and the comparison measures the fit itself.
PumpkinFit Even(bool grid) {
    PumpkinFit fit;
    fit.SetCorner(0, {0.05f, 0.04f});
    fit.SetCorner(1, {1.04f, -0.03f});
    fit.SetCorner(2, {0.95f, 0.96f});
    fit.SetCorner(3, {-0.04f, 1.03f});
    fit.SetGridOn(grid);
    for (std::size_t handle = 0; handle < PumpkinFit::GridCount; ++handle) {
        const bool middleRow = handle / PumpkinFit::GridSide == 1;
        const bool middleColumn = handle % PumpkinFit::GridSide == 1;
        fit.SetGridOffset(handle, {middleRow ? 0.04f : -0.02f, middleColumn ? 0.03f : -0.015f});
    }
    return fit;
}

PumpkinFit EvenPinned() {
    return Even(false);
}

PumpkinFit EvenBent() {
    return Even(true);
}

using Shapes = std::vector<EvaluatedShape> (*)();
using Fit = PumpkinFit (*)();

void Fitted(benchmark::State& state, Shapes shapes, Fit fitted) {
    const PumpkinFit fit = fitted();
    Draw(state, shapes(), &fit);
}

using Outlines = std::vector<std::pair<std::vector<vel::graphics::PointF>, vel::graphics::Color>>;

// The outlines as the renderer fills them under the fit, with their colours.
Outlines Warped(const std::vector<EvaluatedShape>& shapes, const PumpkinFit& fit) {
    constexpr float margin = 4.0f;
    const float width = Width;
    const float height = Height;
    const vel::graphics::RectF area{-margin, -margin, width + margin, height + margin};
    vel::graphics::Graphics graphics{std::make_unique<vel::graphics::QtGraphicsImpl>()};
    vel::graphics::Surface surface = graphics.CreateSurface();
    QImage picture(Width, Height, QImage::Format_RGB32);
    const vel::graphics::Frame frame = surface.CreateFrame(&picture, {0, 0, Width, Height});
    Outlines warped;
    for (const EvaluatedShape& shape : shapes) {
        std::vector<FitPoint> fractions;
        for (vel::graphics::PointF point : ModelToTarget(frame, shape.outline)) {
            fractions.push_back({point.x / width, point.y / height});
        }
        std::vector<vel::graphics::PointF> points;
        for (FitPoint point : fit.WarpOutline(fractions, width, height)) {
            points.push_back({point.x * width, point.y * height});
        }
        warped.emplace_back(ClipToRect(points, area), FillColor(shape.color));
    }
    return warped;
}

// The fill alone of the outlines that the fit makes, warped beforehand: what
// the fitted frame costs beyond this is the warp's.
void FillOnly(benchmark::State& state, Shapes shapes, Fit fitted) {
    const Outlines warped = Warped(shapes(), fitted());
    Repeat(state, [&](vel::graphics::Frame& frame) {
        for (const auto& [points, color] : warped) {
            frame.FillPolygon(points, color);
        }
    });
}

void SelfCrossingStar(benchmark::State& state) {
    Draw(state, {{Candle, Star(Points(state), 0.9f)}});
}

// Points anywhere on the picture, joined in no order.
void Scribble(benchmark::State& state) {
    std::mt19937 random(1);
    std::uniform_real_distribution<float> x(-1.77f, 1.77f);
    std::uniform_real_distribution<float> y(-1.0f, 1.0f);
    std::vector<Point> outline;
    for (std::size_t i = 0; i < Points(state); ++i) {
        outline.push_back({x(random), y(random)});
    }
    Draw(state, {{Candle, outline}});
}

// Every edge runs from the top of the picture to the bottom: the most rows
// that a million edges can span.
void TopToBottom(benchmark::State& state) {
    std::mt19937 random(2);
    std::uniform_real_distribution<float> x(-1.77f, 1.77f);
    std::vector<Point> outline;
    for (std::size_t i = 0; i < Points(state); ++i) {
        outline.push_back({x(random), i % 2 ? 1.0f : -1.0f});
    }
    Draw(state, {{Candle, outline}});
}

// A million points as a thousand stars of a thousand points each.
void ThousandStars(benchmark::State& state) {
    std::vector<EvaluatedShape> shapes;
    for (int i = 0; i < 1000; ++i) {
        std::vector<Point> outline = Star(1000, 0.3f);
        const int column = i % 32;
        const int row = i / 32;
        for (Point& point : outline) {
            point.x += -1.4f + 0.09f * static_cast<float>(column);
            point.y += -0.65f + 0.042f * static_cast<float>(row);
        }
        shapes.push_back({Candle, outline});
    }
    Draw(state, shapes);
}

} // namespace

BENCHMARK(Example)->Unit(benchmark::kMillisecond);
BENCHMARK(TwoHundredShapes)->Unit(benchmark::kMillisecond);
BENCHMARK(FortyShapes)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, ExamplePinned, ExampleFrame, LeaningPinned)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, ExampleGridBent, ExampleFrame, LeaningBent)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, TwoHundredShapesPinned, bench::TwoHundredShapes, LeaningPinned)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, TwoHundredShapesGridBent, bench::TwoHundredShapes, LeaningBent)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, ExampleEvenPinned, ExampleFrame, EvenPinned)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, ExampleEvenBent, ExampleFrame, EvenBent)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, FortyShapesEvenPinned, bench::FortyShapes, EvenPinned)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, FortyShapesEvenBent, bench::FortyShapes, EvenBent)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillOnly, ExampleEvenBent, ExampleFrame, EvenBent)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FillOnly, FortyShapesEvenBent, bench::FortyShapes, EvenBent)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(ExampleWithAPointThatIsNoNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(ExampleWithFarPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(SelfCrossingStar)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1);
BENCHMARK(Scribble)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(TopToBottom)->Arg(1000000)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(ThousandStars)->Unit(benchmark::kMillisecond)->Iterations(1);
