#include "apps/lumo/animate/LiveLife.h"

#include "apps/lumo/animate/AnimateInput.h"
#include "apps/lumo/animate/BlinkGenerator.h"
#include "apps/lumo/animate/FlickerGenerator.h"
#include "apps/lumo/document/LumoDocument.h"

#include <cmath>
#include <memory>

namespace vel::lumo {

namespace {

bool IsKeyed(const LumoDocument& document, const KnobKey& key) {
    const KnobTrack* track = document.GetTimeline().FindTrack(key);
    return track == nullptr || track->GetAnchors().size() > 1;
}

} // namespace

LiveLife::LiveLife(const LumoDocument& document, std::uint32_t seed)
    : framesPerSecond_(document.GetFrameRate() / 1000.0) {
    const auto frames = static_cast<std::uint32_t>(LoopSeconds * framesPerSecond_);
    const AnimateInput input = AnimateInput::From(document, {0, frames});
    const auto always = [](std::uint64_t, std::uint64_t) {
        return true;
    };
    std::vector<std::unique_ptr<KeyGenerator>> generators;
    generators.push_back(std::make_unique<BlinkGenerator>(BlinkSettings{.seed = seed}));
    generators.push_back(std::make_unique<FlickerGenerator>(FlickerSettings{.seed = seed}));
    for (const auto& generator : generators) {
        if (generator->Problem(input)) {
            continue;
        }
        const std::optional<Animation> animation = generator->Generate(input, always);
        for (const KnobKeys& knob : animation ? animation->knobs : std::vector<KnobKeys>{}) {
            if (!IsKeyed(document, knob.key) && !knob.anchors.empty()) {
                KnobTrack& track = tracks_[knob.key];
                for (const Anchor& anchor : knob.anchors) {
                    track.Set(anchor.frame, anchor.value);
                }
            }
        }
    }
}

std::vector<KnobKey> LiveLife::Keys() const {
    std::vector<KnobKey> keys;
    for (const auto& [key, track] : tracks_) {
        keys.push_back(key);
    }
    return keys;
}

KnobValues LiveLife::At(double seconds) const {
    const auto frame = static_cast<std::uint32_t>(
        std::fmod(std::max(seconds, 0.0), double{LoopSeconds}) * framesPerSecond_);
    KnobValues values;
    for (const auto& [key, track] : tracks_) {
        if (const std::optional<float> value = track.ValueAt(frame)) {
            values[key] = *value;
        }
    }
    return values;
}

} // namespace vel::lumo
