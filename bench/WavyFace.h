#pragma once

// Faces of many wavy shapes laid out in a grid over the picture, for the
// benchmarks that draw or warp a heavy frame. Model units span -1.78..1.78
// across and -1..1 down the picture.

#include "apps/lumo/model/EvaluatedShape.h"

#include <cmath>
#include <vector>

namespace vel::lumo::bench {

struct WavyGrid {
    int count = 0;
    int columns = 1;
    Point first; // the centre of the first shape
    Point step;  // from one shape's centre to the next one's
    float radius = 0;
    float wave = 0; // how far the outline swings in and out, of the radius
    int lobes = 0;
};

constexpr int WavyPoints = 60;

// Every third shape dark, cutting a hole in what lies under it.
inline std::vector<EvaluatedShape> WavyFace(const WavyGrid& grid) {
    const Rgba candle{1.0f, 0.6f, 0.1f, 1.0f};
    std::vector<EvaluatedShape> shapes;
    for (int i = 0; i < grid.count; ++i) {
        const int column = i % grid.columns;
        const int row = i / grid.columns;
        const float cx = grid.first.x + grid.step.x * static_cast<float>(column);
        const float cy = grid.first.y + grid.step.y * static_cast<float>(row);
        std::vector<Point> outline;
        for (int k = 0; k < WavyPoints; ++k) {
            const float t = 6.2831853f * static_cast<float>(k) / WavyPoints;
            const float r =
                grid.radius * (1 + grid.wave * std::sin(static_cast<float>(grid.lobes) * t));
            outline.push_back({cx + r * std::cos(t), cy + r * std::sin(t)});
        }
        shapes.push_back({i % 3 == 2 ? Rgba{} : candle, outline});
    }
    return shapes;
}

// 200 small shapes, 20 × 10.
inline std::vector<EvaluatedShape> TwoHundredShapes() {
    return WavyFace({200, 20, {-1.6f, -0.85f}, {0.168f, 0.19f}, 0.07f, 0.45f, 7});
}

// 40 larger shapes, 8 × 5, as a busy hand-drawn face might have.
inline std::vector<EvaluatedShape> FortyShapes() {
    return WavyFace({40, 8, {-1.5f, -0.75f}, {0.43f, 0.375f}, 0.15f, 0.3f, 5});
}

} // namespace vel::lumo::bench
