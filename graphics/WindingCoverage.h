#pragma once

#include "graphics/GraphicsTypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vel::graphics {

// How much of each pixel of a grid lies inside a closed outline under the
// non-zero winding rule, anti-aliased by exact area. Each edge adds its
// signed area to the rows it crosses, so the cost grows with the rows the
// edges span and never with how often they cross one another: an outline
// of a million self-crossing points fills in bounded time.
class WindingCoverage {
public:
    // The outline through `points` (grid pixels, closed from the last point
    // to the first) on a grid of width × height pixels; the parts outside
    // the grid are cut off. An outline with a point that is not finite, or
    // with fewer than three points, covers nothing.
    WindingCoverage(const std::vector<PointF>& points, int width, int height);

    // The pixels that may be covered; empty when nothing is.
    DeviceRect Bounds() const { return bounds_; }

    // The colour laid over a pixel at each coverage level, 0 (outside) to
    // 255 (inside): premultiplied 0xAARRGGBB with alpha = level.
    using Shades = std::array<std::uint32_t, 256>;

    // Lays the shades over the premultiplied pixels of Bounds(), row after
    // row `stride` pixels apart from `pixels` (the bounds' top left). Long
    // outlines are filled on several threads, each on rows of its own.
    void Render(std::uint32_t* pixels, std::ptrdiff_t stride, const Shades& shades) const;

private:
    // A piece of the outline inside the grid, downward, in the bounds' own
    // coordinates.
    struct Edge {
        float x0, y0, y1;
        float slope;  // x per row
        float across; // rows per x, 1 / |slope|
        float weight; // +1 where the outline runs down, -1 up, summed
    };

    void AddEdge(PointF from, PointF to, int width, int height);
    void AddPiece(double x0, double y0, double x1, double y1, float direction);
    void MergeCoincident();
    template <typename Sum>
    void RenderBands(std::uint32_t* pixels, std::ptrdiff_t stride, const Shades& shades, int first,
                     int step) const;

    std::vector<Edge> edges_;
    DeviceRect bounds_;
    double rowsSpanned_ = 0;
    bool reachesRight_ = false; // an edge was cut off right of the grid
};

} // namespace vel::graphics
