#include "apps/lumo/animate/KeyReduction.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <queue>
#include <set>

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

// Whether one more anchor at frame fits the limit beside those kept: each
// window of limit.frames that would hold it is counted from a kept anchor or
// from the frame itself, the tightest places a window can start.
bool Fits(const std::set<std::size_t>& kept, std::size_t frame, KeyLimit limit) {
    const std::size_t reach = limit.frames - 1;
    const auto begin = kept.lower_bound(frame >= reach ? frame - reach : 0);
    const auto end = kept.upper_bound(frame + reach);
    for (auto start = begin;; ++start) {
        const std::size_t from = start == end || *start > frame ? frame : *start;
        const auto inside = std::distance(kept.lower_bound(from), kept.upper_bound(from + reach));
        if (static_cast<std::size_t>(inside) + 1 > limit.keys) {
            return false;
        }
        if (start == end || *start > frame) {
            return true;
        }
    }
}

} // namespace

std::vector<Anchor> ReduceKeys(const std::vector<float>& values, std::uint32_t first,
                               KeyLimit limit, float tolerance, const KeyPins& pins) {
    if (values.empty()) {
        return {};
    }
    limit.keys = std::max<std::size_t>(limit.keys, 2);
    limit.frames = std::max<std::size_t>(limit.frames, 1);
    std::set<std::size_t> kept{0, values.size() - 1};
    for (const std::size_t frame : pins.always) {
        if (frame < values.size()) {
            kept.insert(frame);
        }
    }
    for (const std::size_t frame : pins.first) {
        if (frame < values.size() && !kept.contains(frame) && Fits(kept, frame, limit)) {
            kept.insert(frame);
        }
    }
    std::priority_queue<Stretch> open;
    for (auto from = kept.begin(), to = std::next(from); to != kept.end(); from = to++) {
        open.push(Measure(values, *from, *to));
    }
    while (!open.empty()) {
        const Stretch worst = open.top();
        if (worst.error <= tolerance) {
            break;
        }
        open.pop();
        // A stretch whose worst frame does not fit is left as it is: its other
        // frames lie in nearly the same windows.
        if (Fits(kept, worst.worst, limit)) {
            kept.insert(worst.worst);
            open.push(Measure(values, worst.from, worst.worst));
            open.push(Measure(values, worst.worst, worst.to));
        }
    }
    std::vector<Anchor> anchors;
    anchors.reserve(kept.size());
    for (const std::size_t i : kept) {
        anchors.push_back({first + static_cast<std::uint32_t>(i), values[i]});
    }
    return anchors;
}

} // namespace vel::lumo
