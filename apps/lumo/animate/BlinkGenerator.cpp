#include "apps/lumo/animate/BlinkGenerator.h"

#include "apps/lumo/animate/StandardKeys.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

namespace vel::lumo {

namespace {

// The eyes' open and closed ends of "eyeblink".
constexpr float EyesOpen = 0.0f;
constexpr float EyesClosed = 1.0f;
constexpr double DoubleBlinkChance = 0.12;

// A blink's phases at about 30 frames a second, scaled to the document's rate.
struct BlinkShape {
    std::uint32_t closing;
    std::uint32_t held;
    std::uint32_t opening;
    std::uint32_t gapBeforeSecond;

    static BlinkShape At(double framesPerSecond) {
        const auto frames = [framesPerSecond](double at30) {
            return static_cast<std::uint32_t>(
                std::max(1.0, std::round(at30 * framesPerSecond / 30.0)));
        };
        return {frames(2), frames(1), frames(3), frames(3)};
    }
    std::uint32_t Length() const { return closing + held + opening; }
};

} // namespace

std::string BlinkGenerator::Name() const {
    return "Add Blinks";
}

std::vector<KnobKey> BlinkGenerator::Keys() const {
    return {EyeBlinkKey};
}

std::optional<std::string> BlinkGenerator::Problem(const AnimateInput& input) const {
    if (!(settings_.perMinute > 0.0f && settings_.perMinute <= 120.0f)) {
        return "The blink rate must lie between 1 and 120 a minute.";
    }
    return KeyGenerator::Problem(input);
}

std::optional<Animation> BlinkGenerator::Generate(const AnimateInput& input,
                                                  const AnimateProgress& progress) const {
    const FrameRange range = input.range;
    const double fps = input.FramesPerSecond();
    const BlinkShape shape = BlinkShape::At(fps);
    // Eyes that rest nearly open stay as they are between blinks; others open fully.
    const float start = input.StartValue(EyeBlinkKey, EyesOpen);
    const float rest = std::abs(start - EyesOpen) < std::abs(start - EyesClosed) ? start : EyesOpen;

    std::mt19937 random(settings_.seed);
    const double meanGap = 60.0 / settings_.perMinute * fps;
    std::uniform_real_distribution<double> gap(0.5 * meanGap, 1.5 * meanGap);
    std::bernoulli_distribution twice(DoubleBlinkChance);

    std::vector<Anchor> anchors{{range.first, rest}};
    const auto add = [&anchors, &range](std::uint64_t frame, float value) {
        if (frame > anchors.back().frame && frame < range.end) {
            anchors.push_back({static_cast<std::uint32_t>(frame), value});
        }
    };
    std::uint32_t blinks = 0;
    const auto blink = [&](std::uint64_t at) {
        ++blinks;
        add(at, rest);
        add(at + shape.closing, EyesClosed);
        add(at + shape.closing + shape.held, EyesClosed);
        add(at + shape.Length(), rest);
    };
    // The first blink comes somewhere within the first mean gap.
    std::uint64_t at = range.first + static_cast<std::uint64_t>(gap(random) * 0.5);
    while (at + shape.Length() < range.end) {
        blink(at);
        std::uint64_t next = at + shape.Length();
        if (twice(random)) {
            next += shape.gapBeforeSecond;
            if (next + shape.Length() < range.end) {
                blink(next);
            }
            next += shape.Length();
        }
        if (!progress(next - range.first, range.Length())) {
            return std::nullopt;
        }
        at = next + static_cast<std::uint64_t>(gap(random));
    }
    add(range.end - 1, rest);
    return Animation{{{EyeBlinkKey, std::move(anchors)}},
                     std::to_string(blinks) + (blinks == 1 ? " blink" : " blinks") + " with seed " +
                         std::to_string(settings_.seed) + "."};
}

} // namespace vel::lumo
