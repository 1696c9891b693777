// What one frame of drawing costs at 1920 x 1080 for the example and for
// documents built to hurt: a point that is no number, points far outside the
// picture, and long self-crossing outlines. Each repetition fills one frame
// into a picture as the export does.

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/PumpkinRenderer.h"
#include "core/FileError.h"
#include "graphics/Graphics.h"
#include "graphics/QtGraphicsImpl.h"

#include <QImage>
#include <benchmark/benchmark.h>
#include <cmath>
#include <limits>

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

void Draw(benchmark::State& state, const std::vector<EvaluatedShape>& shapes) {
    vel::graphics::Graphics graphics{std::make_unique<vel::graphics::QtGraphicsImpl>()};
    vel::graphics::Surface surface = graphics.CreateSurface();
    QImage picture(1920, 1080, QImage::Format_RGB32);
    for (auto _ : state) {
        vel::graphics::Frame frame = surface.CreateFrame(&picture, {0, 0, 1920, 1080});
        frame.Clear(vel::graphics::Color{});
        benchmark::DoNotOptimize(DrawPumpkin(frame, shapes));
    }
}

const Rgba candle{1.0f, 0.6f, 0.1f, 1.0f};

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

void SelfCrossingStar(benchmark::State& state) {
    Draw(state, {{candle, Star(static_cast<std::size_t>(state.range(0)), 0.9f)}});
}

} // namespace

BENCHMARK(Example)->Unit(benchmark::kMillisecond);
BENCHMARK(ExampleWithAPointThatIsNoNumber)->Unit(benchmark::kMillisecond);
BENCHMARK(ExampleWithFarPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(SelfCrossingStar)->Arg(1000)->Unit(benchmark::kMillisecond)->Iterations(1);
