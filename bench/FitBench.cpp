// What warping one frame's outlines for the projector costs on a 1920 x 1080
// picture: the example's shapes and a face of 40 wavy 60-point shapes, each
// unfitted, under a corner pin alone and under a corner pin with the 3 x 3
// grid bent. The outlines come in as fractions of the picture, as the
// renderer hands them over; the counter says how many points come out.

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/PumpkinFit.h"
#include "bench/WavyFace.h"
#include "core/FileError.h"

#include <benchmark/benchmark.h>

namespace {

using namespace vel::lumo;

constexpr float Width = 1920;
constexpr float Height = 1080;

using Outlines = std::vector<std::vector<FitPoint>>;

// Model space as the renderer puts it on the picture: the origin at the
// centre, y up, one unit half the picture's height.
FitPoint OnPicture(Point model) {
    const float half = 0.5f * Height;
    return {(Width / 2 + half * model.x) / Width, (Height / 2 - half * model.y) / Height};
}

Outlines OnPicture(const std::vector<EvaluatedShape>& shapes) {
    Outlines outlines;
    for (const EvaluatedShape& shape : shapes) {
        std::vector<FitPoint> outline;
        for (Point point : shape.outline) {
            outline.push_back(OnPicture(point));
        }
        outlines.push_back(std::move(outline));
    }
    return outlines;
}

Outlines Example() {
    vel::core::FileError error;
    auto document = LumoDocument::Open(LUMO_EXAMPLE, error);
    return document ? OnPicture(document->EvaluateFrame(0)) : Outlines{};
}

Outlines FortyShapes() {
    return OnPicture(bench::FortyShapes());
}

PumpkinFit Pinned() {
    PumpkinFit fit;
    fit.SetCorner(0, {0.08f, 0.05f});
    fit.SetCorner(1, {0.93f, 0.11f});
    fit.SetCorner(2, {0.86f, 0.92f});
    fit.SetCorner(3, {0.04f, 0.97f});
    return fit;
}

// A round surface: the centre pushed out, the handles around it pulled in.
PumpkinFit Bent() {
    PumpkinFit fit = Pinned();
    fit.SetGridOn(true);
    for (std::size_t handle = 0; handle < PumpkinFit::GridCount; ++handle) {
        const std::size_t column = handle % PumpkinFit::GridSide;
        const std::size_t row = handle / PumpkinFit::GridSide;
        const float dx = 0.03f * (static_cast<float>(column) - 1);
        const float dy = 0.03f * (static_cast<float>(row) - 1);
        fit.SetGridOffset(handle, {dx, dy});
    }
    return fit;
}

PumpkinFit Unfitted() {
    return {};
}

void Warp(benchmark::State& state, Outlines (*shapes)(), PumpkinFit (*fitted)()) {
    const Outlines outlines = shapes();
    const PumpkinFit fit = fitted();
    std::size_t points = 0;
    for (auto _ : state) {
        points = 0;
        for (const std::vector<FitPoint>& outline : outlines) {
            const std::vector<FitPoint> warped = fit.WarpOutline(outline, Width, Height);
            points += warped.size();
            benchmark::DoNotOptimize(warped.data());
        }
    }
    state.counters["points out"] = static_cast<double>(points);
}

} // namespace

BENCHMARK_CAPTURE(Warp, ExampleUnfitted, Example, Unfitted)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Warp, ExamplePinned, Example, Pinned)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Warp, ExampleGridBent, Example, Bent)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Warp, FortyShapesUnfitted, FortyShapes, Unfitted)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Warp, FortyShapesPinned, FortyShapes, Pinned)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Warp, FortyShapesGridBent, FortyShapes, Bent)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
