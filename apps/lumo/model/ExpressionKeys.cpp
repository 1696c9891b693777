#include "apps/lumo/model/ExpressionKeys.h"

#include "apps/lumo/model/StandardKnobs.h"

#include <algorithm>
#include <cmath>

namespace vel::lumo {

namespace {

constexpr std::array<KnobKey, ExpressionKeyCount - 1> DefaultOrder{
    KnobKey("eyelwink"), KnobKey("eyerwink"), KnobKey("mOOO"),  KnobKey("mEEE"),
    KnobKey("eyepan"),   KnobKey("eyeblink"), KnobKey("mouth"), CandleLightnessKey,
};

} // namespace

ExpressionKeys DefaultExpressionKeys(const std::vector<Knob>& knobs) {
    ExpressionKeys keys;
    for (std::size_t index = 0; index < DefaultOrder.size(); ++index) {
        const KnobKey key = DefaultOrder[index];
        if (std::any_of(knobs.begin(), knobs.end(),
                        [key](const Knob& knob) { return knob.key == key; })) {
            keys[index] = key;
        }
    }
    return keys;
}

float FarValue(const Knob& knob) {
    const float toMin = std::fabs(knob.minValue - knob.typical);
    const float toMax = std::fabs(knob.maxValue - knob.typical);
    return toMin > toMax ? knob.minValue : knob.maxValue;
}

} // namespace vel::lumo
