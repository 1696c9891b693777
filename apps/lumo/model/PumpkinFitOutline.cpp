#include "apps/lumo/model/PumpkinFit.h"

#include <algorithm>
#include <array>
#include <cmath>

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
// Points nearer the horizon than this weight are cut away: they would show
// a thousand pictures away, and the horizon itself at infinity.
constexpr double FrontWeight = 1e-3;
constexpr std::array<double, 3> Probes{0.25, 0.5, 0.75};

// A point of an outline, and where the grid's bend puts it before the pin.
struct Sample {
    double x = 0;
    double y = 0;
    double bentX = 0;
    double bentY = 0;
};

struct Pixel {
    double x = 0;
    double y = 0;
};

// The distance in pixels from p to the segment from a to b.
double Distance(Pixel p, Pixel a, Pixel b) {
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double length = dx * dx + dy * dy;
    const double t =
        length > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / length, 0.0, 1.0) : 0.0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}

class OutlineWarp {
public:
    OutlineWarp(const PumpkinFit& fit, float width, float height)
        : fit_(fit), pin_(fit.GetPin()), width_(width), height_(height) {}

    std::vector<FitPoint> Warp(const std::vector<FitPoint>& outline) const {
        std::vector<Sample> bent;
        bent.reserve(outline.size());
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const Sample from = At(outline[i].x, outline[i].y);
            bent.push_back(from);
            if (fit_.IsBent() && outline.size() > 1) {
                const FitPoint next = outline[(i + 1) % outline.size()];
                Cut(from, At(next.x, next.y), 0, bent);
            }
        }
        return Project(InFront(bent));
    }

private:
    Sample At(double x, double y) const {
        const FitPoint bend = fit_.Bend(x, y);
        return {x, y, x + bend.x, y + bend.y};
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
        if (std::abs(b.x - a.x) > LongestBentPiece || std::abs(b.y - a.y) > LongestBentPiece) {
            return false;
        }
        return std::all_of(Probes.begin(), Probes.end(), [&](double t) {
            const Sample probe = At(a.x + t * (b.x - a.x), a.y + t * (b.y - a.y));
            return Deviation(probe, a, b) <= Tolerance;
        });
    }

    // How far the probe strays from the chord, on the picture where the
    // pin shows all three, else (near the horizon) before the pin.
    double Deviation(const Sample& probe, const Sample& a, const Sample& b) const {
        const std::array<const Sample*, 3> samples{&probe, &a, &b};
        std::array<Pixel, 3> shown{};
        bool onPicture = true;
        for (std::size_t i = 0; i < samples.size() && onPicture; ++i) {
            const Sample& s = *samples[i];
            const std::optional<FitPoint> mapped = pin_.Weight(s.bentX, s.bentY) >= FrontWeight
                                                       ? pin_.Map(s.bentX, s.bentY)
                                                       : std::nullopt;
            onPicture = mapped.has_value();
            if (onPicture) {
                shown[i] = ToPixel(mapped->x, mapped->y);
            }
        }
        if (!onPicture) {
            shown = {ToPixel(probe.bentX, probe.bentY), ToPixel(a.bentX, a.bentY),
                     ToPixel(b.bentX, b.bentY)};
        }
        return Distance(shown[0], shown[1], shown[2]);
    }

    Pixel ToPixel(double x, double y) const { return {x * width_, y * height_}; }

    // The outline's part on the near side of the horizon, cut along a line
    // of constant weight (straight before the pin).
    std::vector<Sample> InFront(const std::vector<Sample>& outline) const {
        std::vector<Sample> front;
        front.reserve(outline.size());
        for (std::size_t i = 0; i < outline.size(); ++i) {
            const Sample& previous = outline[(i + outline.size() - 1) % outline.size()];
            const Sample& current = outline[i];
            const double was = pin_.Weight(previous.bentX, previous.bentY) - FrontWeight;
            const double is = pin_.Weight(current.bentX, current.bentY) - FrontWeight;
            if ((was < 0) != (is < 0)) {
                const double t = was / (was - is);
                front.push_back({0, 0, previous.bentX + t * (current.bentX - previous.bentX),
                                 previous.bentY + t * (current.bentY - previous.bentY)});
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
            const std::optional<FitPoint> mapped = pin_.Map(s.bentX, s.bentY);
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
