// What one frame of drawing costs at 1920 x 1080 for the example, for a
// face of 200 wavy 60-point shapes, and for documents built to hurt: a point
// that is no number, points far outside the picture, and outlines of up to a
// million points that cross themselves everywhere; and the example and the
// 200 shapes fitted to the pumpkin, by a corner pin alone and with the grid
// bent too. Each repetition fills one frame into a picture as the export does.

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/PumpkinFit.h"
#include "apps/lumo/render/PumpkinRenderer.h"
#include "core/FileError.h"
#include "graphics/Graphics.h"
#include "graphics/QtGraphicsImpl.h"

#include <QImage>
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

void Draw(benchmark::State& state, const std::vector<EvaluatedShape>& shapes,
          const PumpkinFit* fit = nullptr) {
    vel::graphics::Graphics graphics{std::make_unique<vel::graphics::QtGraphicsImpl>()};
    vel::graphics::Surface surface = graphics.CreateSurface();
    QImage picture(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        vel::graphics::Frame frame = surface.CreateFrame(&picture, {0, 0, 1920, 1080});
        frame.Clear(vel::graphics::Color{});
        benchmark::DoNotOptimize(DrawPumpkin(frame, shapes, fit));
    }
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

// Model units span -1.78..1.78 across and -1..1 down the picture.
std::vector<EvaluatedShape> TwoHundred() {
    std::vector<EvaluatedShape> shapes;
    for (int i = 0; i < 200; ++i) {
        const int column = i % 20;
        const int row = i / 20;
        const float cx = -1.6f + 0.168f * static_cast<float>(column);
        const float cy = -0.85f + 0.19f * static_cast<float>(row);
        std::vector<Point> outline;
        for (int k = 0; k < 60; ++k) {
            const float t = 6.2831853f * static_cast<float>(k) / 60;
            const float r = 0.07f * (1 + 0.45f * std::sin(7 * t));
            outline.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
        }
        shapes.push_back({i % 3 == 2 ? Rgba{} : Candle, outline});
    }
    return shapes;
}

void TwoHundredShapes(benchmark::State& state) {
    Draw(state, TwoHundred());
}

// The picture leaning on a pumpkin, and with the grid on, its middle pushed
// out and the handles round it pulled in as on a round surface.
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

void Fitted(benchmark::State& state, std::vector<EvaluatedShape> (*shapes)(), bool grid) {
    const PumpkinFit fit = Leaning(grid);
    Draw(state, shapes(), &fit);
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
BENCHMARK_CAPTURE(Fitted, ExamplePinned, ExampleFrame, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, ExampleGridBent, ExampleFrame, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, TwoHundredShapesPinned, TwoHundred, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Fitted, TwoHundredShapesGridBent, TwoHundred, true)
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
