#pragma once

#include "apps/lumo/animate/KeyGenerator.h"

#include <cstdint>

namespace vel::lumo {

struct FlickerSettings {
    // How far the lightness strays from its value, in lightness units.
    float amount = 0.1f;
    // 1 is a calm candle; 2 wanders and flickers twice as often.
    float speed = 1.0f;
    // Whether the hue wanders too, a little.
    bool hue = false;
    std::uint32_t seed = 1;
};

// A living flame on "canlight" (and "canhue"): a slow wander around the
// knob's value where the range starts, with now and then a quick dip. It
// starts and ends on that value, so the curve outside the range joins it
// smoothly and running it again with the same seed gives the same keys.
class FlickerGenerator : public KeyGenerator {
public:
    explicit FlickerGenerator(FlickerSettings settings) : settings_(settings) {}

    std::string Name() const override;
    std::vector<KnobKey> Keys() const override;
    std::optional<std::string> Problem(const AnimateInput& input) const override;
    std::optional<Animation> Generate(const AnimateInput& input,
                                      const AnimateProgress& progress) const override;

private:
    FlickerSettings settings_;
};

} // namespace vel::lumo
