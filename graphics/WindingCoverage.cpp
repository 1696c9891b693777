#include "graphics/WindingCoverage.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <system_error>
#include <thread>
#include <tuple>

namespace vel::graphics {

namespace {

// Rows filled together: their sums stay in the processor's cache.
constexpr int BandRows = 64;

// Below this many edge rows one thread fills faster than several start.
constexpr double RowsPerThread = 1 << 15;

// Outlines of more edges than this keep their sums in double: summed in
// float, a pixel crossed by thousands of edges would be off by whole levels.
constexpr std::size_t MostFloatEdges = 256;

// A pixel's share of a band's running sums: `cover` is the change of its
// coverage from its left neighbour, `ramp` the change of that, so that a
// shallow edge costs no more than a steep one.
template <typename Sum> struct Cell {
    Sum cover;
    Sum ramp;
};

// Adds a piece of an edge inside one row, from x = xa to x = xb (within
// the row's width, so never negative) and `height` high, signed by its
// direction; `perPixel` is 1 / |xb - xa|, the height's share per pixel.
template <typename Sum>
[[gnu::always_inline]] inline void AddSpan(Cell<Sum>* row, float xa, float xb, float height,
                                           float perPixel) {
    const float x0 = std::min(xa, xb);
    const float x1 = std::max(xa, xb);
    const int i0 = static_cast<int>(x0); // x0 >= 0: truncating is flooring
    const float left = static_cast<float>(i0);
    if (x1 - x0 <= 1) {
        // A steep piece touches one pixel or two. Both cases are worked out
        // and one is chosen, as which it is cannot be guessed in advance.
        const float in0 = x0 - left;
        const float in1 = x1 - left;
        const bool crosses = in1 > 1;
        const float before = 1 - in0;
        const float after = in1 - 1;
        const float share0 = crosses ? 0.5f * before * before * perPixel : 1 - 0.5f * (in0 + in1);
        const float share1 = crosses ? 1 - 0.5f * after * after * perPixel : 1.0f;
        row[i0].cover += height * share0;
        row[i0 + 1].cover += height * (share1 - share0);
        row[i0 + 2].cover += height * (1 - share1);
        return;
    }
    const int i1 = static_cast<int>(std::ceil(x1));
    const float inFirst = x0 - left;
    const float inLast = x1 - static_cast<float>(i1) + 1;
    const float first = 0.5f * perPixel * (1 - inFirst) * (1 - inFirst);
    const float last = 0.5f * perPixel * inLast * inLast;
    row[i0].cover += height * first;
    if (i1 == i0 + 2) {
        row[i0 + 1].cover += height * (1 - first - last);
    } else {
        const float second = perPixel * (1.5f - inFirst);
        row[i0 + 1].cover += height * (second - first);
        row[i0 + 2].ramp += height * perPixel;
        row[i1 - 1].ramp -= height * perPixel;
        const float beforeLast = second + static_cast<float>(i1 - i0 - 3) * perPixel;
        row[i1 - 1].cover += height * (1 - beforeLast - last);
    }
    row[i1].cover += height * last;
}

// Cells checked at once for edges: wide enough for vector compares.
constexpr int RunStep = 4;

// Whether no edge touched the cells from `cell` on, read as raw bits: sums
// only ever start at +0 and add, so untouched cells hold zero bits.
template <typename Sum> bool Untouched(const Cell<Sum>* cell) {
    std::uint64_t bits[sizeof(Cell<Sum>) * RunStep / sizeof(std::uint64_t)];
    std::memcpy(bits, cell, sizeof bits);
    std::uint64_t any = 0;
    for (std::uint64_t word : bits) {
        any |= word;
    }
    return any == 0;
}

// Rounds half up: the value is never negative, and this runs for every pixel,
// where a call to lround would cost.
int Level(double sum) {
    // NOLINTNEXTLINE(bugprone-incorrect-roundings)
    return static_cast<int>(std::min(std::fabs(sum), 1.0) * 255 + 0.5);
}

// Each byte of `pixel` times alpha / 255, rounded, two channels at a time.
std::uint32_t Scale(std::uint32_t pixel, std::uint32_t alpha) {
    std::uint32_t redBlue = (pixel & 0xFF00FF) * alpha + 0x800080;
    redBlue = ((redBlue + ((redBlue >> 8) & 0xFF00FF)) >> 8) & 0xFF00FF;
    std::uint32_t alphaGreen = ((pixel >> 8) & 0xFF00FF) * alpha + 0x800080;
    alphaGreen = (alphaGreen + ((alphaGreen >> 8) & 0xFF00FF)) & 0xFF00FF00;
    return alphaGreen | redBlue;
}

// The shade of `level` over the pixel.
void Lay(std::uint32_t& pixel, const WindingCoverage::Shades& shades, int level) {
    pixel = shades[static_cast<std::size_t>(level)] +
            Scale(pixel, static_cast<std::uint32_t>(255 - level));
}

// A run of pixels at one level: untouched outside, filled inside.
void LayRun(std::uint32_t* from, std::uint32_t* to, const WindingCoverage::Shades& shades,
            int level) {
    if (level == 255) {
        std::fill(from, to, shades[255]);
    } else if (level > 0) {
        for (; from < to; ++from) {
            Lay(*from, shades, level);
        }
    }
}

// Sums a row into pixels and clears it for the next band. The running sums
// are double whatever the cells are: along a row they add up every edge.
template <typename Sum>
void FinishRow(Cell<Sum>* row, int width, std::uint32_t* pixels,
               const WindingCoverage::Shades& shades) {
    double slope = 0;
    double level = 0;
    for (int x = 0; x < width;) {
        if (slope == 0 && row[x].cover == 0 && row[x].ramp == 0) {
            // Between edges the level holds: the run is laid at once.
            int run = x;
            do {
                row[run++] = Cell<Sum>{}; // a sum that came back to -0 is cleared too
                while (run + RunStep <= width && Untouched(row + run)) {
                    run += RunStep;
                }
            } while (run < width && row[run].cover == 0 && row[run].ramp == 0);
            LayRun(pixels + x, pixels + run, shades, Level(level));
            x = run;
            continue;
        }
        slope += row[x].ramp;
        level += row[x].cover + slope;
        row[x] = Cell<Sum>{};
        Lay(pixels[x++], shades, Level(level));
    }
    std::fill(row + width, row + width + 3, Cell<Sum>{});
}

} // namespace

WindingCoverage::WindingCoverage(const std::vector<PointF>& points, int width, int height) {
    const bool finite = std::all_of(points.begin(), points.end(), [](PointF p) {
        return std::isfinite(p.x) && std::isfinite(p.y);
    });
    if (points.size() < 3 || !finite || width <= 0 || height <= 0) {
        return;
    }
    PointF previous = points.back();
    for (PointF point : points) {
        AddEdge(previous, point, width, height);
        previous = point;
    }
    MergeCoincident();
    if (edges_.empty()) {
        return;
    }
    float left = static_cast<float>(width);
    float right = 0;
    float top = static_cast<float>(height);
    float bottom = 0;
    for (const Edge& edge : edges_) {
        const float x1 = edge.x0 + (edge.y1 - edge.y0) * edge.slope;
        left = std::min({left, edge.x0, x1});
        right = std::max({right, edge.x0, x1});
        top = std::min(top, edge.y0);
        bottom = std::max(bottom, edge.y1);
    }
    bounds_ = {
        static_cast<std::int32_t>(std::floor(left)), static_cast<std::int32_t>(std::floor(top)),
        reachesRight_ ? width : std::min(width, static_cast<std::int32_t>(std::ceil(right)) + 1),
        static_cast<std::int32_t>(std::ceil(bottom))};
    for (Edge& edge : edges_) {
        edge.x0 -= static_cast<float>(bounds_.left);
        edge.y0 -= static_cast<float>(bounds_.top);
        edge.y1 -= static_cast<float>(bounds_.top);
    }
}

// Ends are held to a 64th of a pixel, which no eye can tell apart, so that
// the edges of a dense outline fall onto one another and are filled once.
double Snap(float coordinate) {
    return std::round(static_cast<double>(coordinate) * 64) / 64;
}

// Cuts the edge to the grid's rows, then at its left and right sides.
void WindingCoverage::AddEdge(PointF from, PointF to, int width, int height) {
    double x0 = Snap(from.x);
    double y0 = Snap(from.y);
    double x1 = Snap(to.x);
    double y1 = Snap(to.y);
    float direction = 1;
    if (y0 > y1) {
        std::swap(x0, x1);
        std::swap(y0, y1);
        direction = -1;
    }
    if (!(y0 < y1) || y1 <= 0 || y0 >= height) {
        return; // level edges enclose nothing
    }
    const double slope = (x1 - x0) / (y1 - y0);
    if (y0 < 0) {
        x0 -= y0 * slope;
        y0 = 0;
    }
    if (y1 > height) {
        x1 -= (y1 - height) * slope;
        y1 = height;
    }
    double cuts[4] = {y0};
    int count = 1;
    for (double side : {0.0, static_cast<double>(width)}) {
        if ((x0 < side) != (x1 < side)) {
            cuts[count++] = y0 + (side - x0) / slope;
        }
    }
    if (count == 3 && cuts[1] > cuts[2]) {
        std::swap(cuts[1], cuts[2]);
    }
    cuts[count++] = y1;
    for (int i = 1; i < count; ++i) {
        if (!(cuts[i - 1] < cuts[i])) {
            continue;
        }
        const double xa = x0 + (cuts[i - 1] - y0) * slope;
        const double xb = x0 + (cuts[i] - y0) * slope;
        if (xa + xb >= 2.0 * width) {
            // Right of the grid a piece adds nothing to it, but what the
            // outline encloses may now reach the grid's right side.
            reachesRight_ = true;
            continue;
        }
        // Left of the grid a piece covers its rows as one along the grid's
        // left side would.
        AddPiece(std::clamp(xa, 0.0, static_cast<double>(width)), cuts[i - 1],
                 std::clamp(xb, 0.0, static_cast<double>(width)), cuts[i], direction);
    }
}

void WindingCoverage::AddPiece(double x0, double y0, double x1, double y1, float direction) {
    const double slope = (x1 - x0) / (y1 - y0);
    edges_.push_back({static_cast<float>(x0), static_cast<float>(y0), static_cast<float>(y1),
                      static_cast<float>(slope), static_cast<float>(1 / std::fabs(slope)),
                      direction});
}

// Edges that lie on one another add up to one of the summed weight; where
// they cancel, nothing is left to fill.
void WindingCoverage::MergeCoincident() {
    const auto key = [](const Edge& edge) {
        return std::tie(edge.y0, edge.y1, edge.x0, edge.slope);
    };
    std::sort(edges_.begin(), edges_.end(),
              [&](const Edge& a, const Edge& b) { return key(a) < key(b); });
    std::size_t kept = 0;
    for (std::size_t i = 0; i < edges_.size();) {
        Edge merged = edges_[i];
        for (++i; i < edges_.size() && key(edges_[i]) == key(merged); ++i) {
            merged.weight += edges_[i].weight;
        }
        if (merged.weight != 0) {
            edges_[kept++] = merged;
            rowsSpanned_ += std::ceil(merged.y1) - std::floor(merged.y0);
        }
    }
    edges_.resize(kept);
}

void WindingCoverage::Render(std::uint32_t* pixels, std::ptrdiff_t stride,
                             const Shades& shades) const {
    if (edges_.empty()) {
        return;
    }
    const unsigned threads = std::clamp(static_cast<unsigned>(rowsSpanned_ / RowsPerThread), 1u,
                                        std::max(1u, std::thread::hardware_concurrency()));
    const auto render = [=, this, &shades](int first) {
        if (edges_.size() > MostFloatEdges) {
            RenderBands<double>(pixels, stride, shades, first, static_cast<int>(threads));
        } else {
            RenderBands<float>(pixels, stride, shades, first, static_cast<int>(threads));
        }
    };
    std::vector<std::jthread> helpers;
    std::vector<int> leftOver{0};
    for (unsigned t = 1; t < threads; ++t) {
        try {
            helpers.emplace_back(render, static_cast<int>(t));
        } catch (const std::system_error&) {
            leftOver.push_back(static_cast<int>(t)); // no thread to be had: done here
        }
    }
    for (int first : leftOver) {
        render(first);
    }
}

template <typename Sum>
void WindingCoverage::RenderBands(std::uint32_t* pixels, std::ptrdiff_t stride,
                                  const Shades& shades, int first, int step) const {
    const int width = bounds_.right - bounds_.left;
    const int height = bounds_.bottom - bounds_.top;
    const std::size_t span = static_cast<std::size_t>(width) + 3;
    // Each thread keeps its sums between fills; finishing a row clears it,
    // so they are all zero again whenever a fill begins.
    thread_local std::vector<Cell<Sum>> sums;
    if (sums.size() < span * BandRows) {
        sums.resize(span * BandRows);
    }
    const float right = static_cast<float>(width);
    for (int top = first * BandRows; top < height; top += step * BandRows) {
        const int count = std::min(BandRows, height - top);
        const float bandTop = static_cast<float>(top);
        const float bandBottom = static_cast<float>(top + count);
        for (const Edge& edge : edges_) {
            if (edge.y1 <= bandTop || edge.y0 >= bandBottom) {
                continue;
            }
            const float y0 = std::max(edge.y0, bandTop);
            const float y1 = std::min(edge.y1, bandBottom);
            const auto at = [&](float y) {
                return std::clamp(edge.x0 + (y - edge.y0) * edge.slope, 0.0f, right);
            };
            const auto row = [&](float y) {
                return &sums[span * static_cast<std::size_t>(static_cast<int>(y) - top)];
            };
            // A first and a last piece of a row, and whole rows between.
            const float firstRow = std::floor(y0);
            const float lastRow = std::floor(y1);
            if (firstRow == lastRow) {
                const float rise = y1 - y0;
                AddSpan(row(y0), at(y0), at(y1), rise * edge.weight, edge.across / rise);
                continue;
            }
            if (y0 > firstRow) {
                const float rise = firstRow + 1 - y0;
                AddSpan(row(y0), at(y0), at(firstRow + 1), rise * edge.weight, edge.across / rise);
            }
            float x = at(std::ceil(y0));
            for (float y = std::ceil(y0); y < lastRow; ++y) {
                const float next = std::clamp(x + edge.slope, 0.0f, right);
                AddSpan(row(y), x, next, edge.weight, edge.across);
                x = next;
            }
            if (y1 > lastRow) {
                const float rise = y1 - lastRow;
                AddSpan(row(lastRow), x, at(y1), rise * edge.weight, edge.across / rise);
            }
        }
        for (int r = 0; r < count; ++r) {
            FinishRow(&sums[span * static_cast<std::size_t>(r)], width, pixels + stride * (top + r),
                      shades);
        }
    }
}

} // namespace vel::graphics
