#include "apps/lumo/animate/FlickerGenerator.h"

#include "apps/lumo/model/StandardKnobs.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace vel::lumo {

namespace {

// A calm candle's slow wander changes direction about three times a second
// and flickers about once a second.
constexpr double WanderPerSecond = 3.0;
constexpr double FlickersPerSecond = 1.0;
// Degrees of hue per unit of amount.
constexpr float HueSwing = 40.0f;

void Add(std::vector<Anchor>& anchors, std::uint64_t frame, float value, std::uint32_t end) {
    if (frame < end && (anchors.empty() || frame > anchors.back().frame)) {
        anchors.push_back({static_cast<std::uint32_t>(frame), value});
    }
}

} // namespace

std::string FlickerGenerator::Name() const {
    return "Candle Flicker";
}

std::vector<KnobKey> FlickerGenerator::Keys() const {
    if (settings_.hue) {
        return {CandleLightnessKey, CandleHueKey};
    }
    return {CandleLightnessKey};
}

std::optional<std::string> FlickerGenerator::Problem(const AnimateInput& input) const {
    if (!(settings_.amount > 0.0f && settings_.amount <= 1.0f)) {
        return "The amount must lie above 0 and at most 1.";
    }
    if (!(settings_.speed >= 0.1f && settings_.speed <= 10.0f)) {
        return "The speed must lie between 0.1 and 10.";
    }
    return KeyGenerator::Problem(input);
}

std::optional<Animation> FlickerGenerator::Generate(const AnimateInput& input,
                                                    const AnimateProgress& progress) const {
    const FrameRange range = input.range;
    const double fps = input.FramesPerSecond();
    const float light = input.StartValue(CandleLightnessKey, 0.8f);
    const float hue = input.StartValue(CandleHueKey, 56.0f);
    std::mt19937 random(settings_.seed);
    std::uniform_real_distribution<float> wander(-0.5f, 0.5f);
    std::uniform_real_distribution<float> dip(0.3f, 0.5f);
    std::uniform_real_distribution<double> jitter(0.6, 1.4);
    const double step = std::max(2.0, fps / (WanderPerSecond * settings_.speed));
    const double flickerChance = FlickersPerSecond / WanderPerSecond;
    std::bernoulli_distribution flickers(std::min(1.0, flickerChance));

    std::vector<Anchor> lights{{range.first, light}};
    std::vector<Anchor> hues{{range.first, hue}};
    const auto lightAt = [&](float offset) {
        return std::clamp(light + offset * settings_.amount, 0.0f, 1.0f);
    };
    double at = range.first;
    while (true) {
        at += step * jitter(random);
        const auto frame = static_cast<std::uint64_t>(at);
        if (frame + 1 >= range.end) {
            break;
        }
        const float level = wander(random);
        Add(lights, frame, lightAt(level), range.end);
        Add(hues, frame,
            std::clamp(hue + wander(random) * settings_.amount * HueSwing, 0.0f, 360.0f),
            range.end);
        // A quick dip of a frame or two, then back to the wander.
        if (flickers(random) && frame + 3 < range.end) {
            Add(lights, frame + 1, lightAt(level - dip(random)), range.end);
            Add(lights, frame + 3, lightAt(level), range.end);
            at = static_cast<double>(frame + 3);
        }
        if (!progress(frame - range.first, range.Length())) {
            return std::nullopt;
        }
    }
    Add(lights, range.end - 1, light, range.end);
    Add(hues, range.end - 1, hue, range.end);

    Animation animation{{{CandleLightnessKey, std::move(lights)}},
                        "The candle flickers with seed " + std::to_string(settings_.seed) + "."};
    if (settings_.hue) {
        animation.knobs.push_back({CandleHueKey, std::move(hues)});
    }
    return animation;
}

} // namespace vel::lumo
