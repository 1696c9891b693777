#pragma once

#include "apps/lumo/animate/KeyGenerator.h"

#include <cstdint>

namespace vel::lumo {

struct BlinkSettings {
    // Blinks a minute on average; the gaps between them vary from half to
    // one and a half times the mean.
    float perMinute = 15.0f;
    std::uint32_t seed = 1;
};

// Natural blinks on "eyeblink": each closes in about two frames, holds about
// one and opens in about three, now and then twice in a row. The same seed
// gives the same blinks.
class BlinkGenerator : public KeyGenerator {
public:
    explicit BlinkGenerator(BlinkSettings settings) : settings_(settings) {}

    std::string Name() const override;
    std::vector<KnobKey> Keys() const override;
    std::optional<std::string> Problem(const AnimateInput& input) const override;
    std::optional<Animation> Generate(const AnimateInput& input,
                                      const AnimateProgress& progress) const override;

private:
    BlinkSettings settings_;
};

} // namespace vel::lumo
