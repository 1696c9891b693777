#include "apps/lumo/model/PumpkinFit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace vel::lumo {
namespace {

// How far, in pixels, a cut edge may stray from the bent curve: well below
// what anti-aliased edges show.
constexpr double Tolerance = 0.25;
// Edges are cut in halves at most this often (4096 pieces).
constexpr int DeepestCut = 12;
// A bent edge is cut at least this finely (one step of the grid's lattice),
// so the probes below see every bend it passes.
constexpr double LongestBentPiece = 0.25;
// The grid bends nothing outside this span of the picture's fractions (its
// outer handles reach two lattice steps beyond themselves); an edge wholly
// outside it stays as straight as the pin keeps it.
constexpr double BendFrom = -0.25;
constexpr double BendTo = 1.25;
// Points nearer the horizon than this weight are cut away: they would show
// a thousand pictures away, and the horizon itself at infinity.
constexpr double FrontWeight = 1e-3;
// Where an edge is probed for how far it strays from its chord. A piece
// shorter than a quarter of a lattice step bends too little to turn twice,
// so its middle tells.
constexpr std::array<double, 3> Probes{0.5, 0.25, 0.75};
constexpr double ShortPiece = LongestBentPiece / 4;

struct Pixel {
    double x = 0;
    double y = 0;
};

// A point of an outline, where the grid's bend puts it before the pin, its
// weight there, and where it shows when it lies in front of the horizon.
struct Sample {
    double x = 0;
    double y = 0;
    double bentX = 0;
    double bentY = 0;
    double weight = 0;
    bool inFront = false;
    FitPoint shown;
};

// The square of the distance in pixels from p to the segment from a to b:
// compared with the tolerance's square, it needs no square root.
double SquaredDistance(Pixel p, Pixel a, Pixel b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    const double t =
        length > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0) : 0.0;
    const double across = p.x - (a.x + t * dx);
    const double down = p.y - (a.y + t * dy);
    return across * across + down * down;
}

class OutlineWarp {
public:
    OutlineWarp(const PumpkinFit& fit, float width, float height)
        : fit_(fit), pin_(fit.GetPin()), width_(width), height_(height) {}

    std::vector<FitPoint> Warp(const std::vector<FitPoint>& outline) const {
        const bool bent = fit_.IsBent();
        std::vector<Sample> corners;
        corners.reserve(outline.size());
        for (const FitPoint& point : outline) {
            corners.push_back(bent ? At(point.x, point.y) : Unbent(point.x, point.y));
        }
        if (!bent || corners.size() < 2) {
            return Project(InFront(std::move(corners)));
        }
        std::vector<Sample> cut;
        cut.reserve(corners.size());
        for (std::size_t i = 0; i < corners.size(); ++i) {
            cut.push_back(corners[i]);
            Cut(corners[i], corners[(i + 1) % corners.size()], 0, cut);
        }
        return Project(InFront(std::move(cut)));
    }

private:
    // A point that meets the pin as it is: unbent, or where the outline meets
    // the horizon.
    Sample Unbent(double bentX, double bentY) const {
        Sample sample;
        sample.bentX = bentX;
        sample.bentY = bentY;
        sample.weight = pin_.Weight(bentX, bentY);
        return sample;
    }

    Sample At(double x, double y) const {
        const FitPoint bend = fit_.Bend(x, y);
        Sample sample = Unbent(x + bend.x, y + bend.y);
        sample.x = x;
        sample.y = y;
        if (sample.weight >= FrontWeight) {
            if (const std::optional<FitPoint> shown = pin_.Map(sample.bentX, sample.bentY)) {
                sample.inFront = true;
                sample.shown = *shown;
            }
        }
        return sample;
    }

    // Appends the points that the edge from a to b needs between them.
    void Cut(const Sample& a, const Sample& b, int depth, std::vector<Sample>& out) const {
        if (depth >= DeepestCut || Straight(a, b)) {
            return;
        }
        const Sample middle = At(0.5 * (a.x + b.x), 0.5 * (a.y + b.y));
        Cut(a, middle, depth + 1, out);
        out.push_back(middle);
        Cut(middle, b, depth + 1, out);
    }

    bool Straight(const Sample& a, const Sample& b) const {
        if (std::max(a.x, b.x) <= BendFrom || std::min(a.x, b.x) >= BendTo ||
            std::max(a.y, b.y) <= BendFrom || std::min(a.y, b.y) >= BendTo) {
            return true;
        }
        if (std::abs(b.x - a.x) > LongestBentPiece || std::abs(b.y - a.y) > LongestBentPiece) {
            return false;
        }
        const bool shortPiece =
            std::abs(b.x - a.x) <= ShortPiece && std::abs(b.y - a.y) <= ShortPiece;
        return std::all_of(
            Probes.begin(), shortPiece ? Probes.begin() + 1 : Probes.end(), [&](double t) {
                const Sample probe = At(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y));
                return SquaredDeviation(probe, a, b) <= Tolerance * Tolerance;
            });
    }

    // How far the probe strays from the chord, squared, on the picture where
    // the pin shows all three, else (near the horizon) before the pin.
    double SquaredDeviation(const Sample& probe, const Sample& a, const Sample& b) const {
        if (probe.inFront && a.inFront && b.inFront) {
            return SquaredDistance(ToPixel(probe.shown.x, probe.shown.y),
                                   ToPixel(a.shown.x, a.shown.y), ToPixel(b.shown.x, b.shown.y));
        }
        return SquaredDistance(ToPixel(probe.bentX, probe.bentY), ToPixel(a.bentX, a.bentY),
                               ToPixel(b.bentX, b.bentY));
    }

    Pixel ToPixel(double x, double y) const { return {x * width_, y * height_}; }

    // The outline's part on the near side of the horizon, cut along a line
    // of constant weight (straight before the pin). An outline wholly in
    // front, as nearly every one is, comes back as it is.
    std::vector<Sample> InFront(std::vector<Sample> outline) const {
        if (std::all_of(outline.begin(), outline.end(),
                        [](const Sample& s) { return s.weight >= FrontWeight; })) {
            return outline;
        }
        std::vector<Sample> front;
        front.reserve(outline.size());
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const Sample& previous = outline[(i + outline.size() - 1) % outline.size()];
            const Sample& current = outline[i];
            const double was = previous.weight - FrontWeight;
            const double is = current.weight - FrontWeight;
            if ((was < 0) != (is < 0)) {
                const double t = was / (was - is);
                front.push_back(Unbent(previous.bentX + t * (current.bentX - previous.bentX),
                                       previous.bentY + t * (current.bentY - previous.bentY)));
            }
            if (is >= 0) {
                front.push_back(current);
            }
        }
        return front;
    }

    std::vector<FitPoint> Project(const std::vector<Sample>& front) const {
        std::vector<FitPoint> shown;
        shown.reserve(front.size());
        for (const Sample& s : front) {
            // A sample in front was mapped when it was taken.
            const std::optional<FitPoint> mapped = s.inFront ? s.shown : pin_.Map(s.bentX, s.bentY);
            if (!mapped) {
                return {};
            }
            shown.push_back(*mapped);
        }
        return shown;
    }

    const PumpkinFit& fit_;
    const CornerPin& pin_;
    double width_;
    double height_;
};

} // namespace

std::vector<FitPoint> PumpkinFit::WarpOutline(const std::vector<FitPoint>& outline, float width,
                                              float height) const {
    if (IsIdentity()) {
        return outline;
    }
    if (!pin_.IsUsable()) {
        return {};
    }
    return OutlineWarp(*this, width, height).Warp(outline);
}

} // namespace vel::lumo
