#include "apps/lumo/animate/KeyReduction.h"

#include <algorithm>
#include <cmath>
#include <queue>

namespace vel::lumo {

namespace {

// A stretch between two kept frames and the frame inside it that strays most
// from the straight line joining them.
struct Stretch {
    std::size_t from = 0;
    std::size_t to = 0;
    std::size_t worst = 0;
    float error = 0.0f;

    bool operator<(const Stretch& other) const { return error < other.error; }
};

Stretch Measure(const std::vector<float>& values, std::size_t from, std::size_t to) {
    Stretch stretch{from, to, from, 0.0f};
    const auto length = static_cast<float>(to - from);
    for (std::size_t i = from + 1; i < to; ++i) {
        const float t = static_cast<float>(i - from) / length;
        const float line = values[from] + t * (values[to] - values[from]);
        const float error = std::abs(values[i] - line);
        if (error > stretch.error) {
            stretch.error = error;
            stretch.worst = i;
        }
    }
    return stretch;
}

} // namespace

std::vector<Anchor> ReduceKeys(const std::vector<float>& values, std::uint32_t first,
                               std::size_t limit, float tolerance) {
    if (values.empty()) {
        return {};
    }
    std::vector<std::size_t> kept{0, values.size() - 1};
    std::priority_queue<Stretch> open;
    open.push(Measure(values, 0, values.size() - 1));
    limit = std::max<std::size_t>(limit, 2);
    while (!open.empty() && kept.size() < limit) {
        const Stretch worst = open.top();
        if (worst.error <= tolerance) {
            break;
        }
        open.pop();
        kept.push_back(worst.worst);
        open.push(Measure(values, worst.from, worst.worst));
        open.push(Measure(values, worst.worst, worst.to));
    }
    std::sort(kept.begin(), kept.end());
    kept.erase(std::unique(kept.begin(), kept.end()), kept.end());
    std::vector<Anchor> anchors;
    anchors.reserve(kept.size());
    for (const std::size_t i : kept) {
        anchors.push_back({first + static_cast<std::uint32_t>(i), values[i]});
    }
    return anchors;
}

} // namespace vel::lumo
