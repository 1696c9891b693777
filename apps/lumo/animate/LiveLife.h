#pragma once

#include "apps/lumo/model/KnobTrack.h"
#include "apps/lumo/model/KnobValues.h"

#include <cstdint>
#include <map>
#include <vector>

namespace vel::lumo {

class LumoDocument;

// The life a face keeps while it talks live: natural blinks on Eyes Blink
// and a flickering flame on the candle, made by the Animate menu's own
// generators, for each of those knobs that the document leaves without keys
// (one anchor or none). Knobs the document keys keep playing its keys, so
// the document's word wins. The life repeats after LoopSeconds.
class LiveLife {
public:
    static constexpr std::uint32_t LoopSeconds = 120;

    // Seeded by the caller, so that each show blinks its own way.
    LiveLife(const LumoDocument& document, std::uint32_t seed);

    // The knobs it moves; none when the document keys them all.
    std::vector<KnobKey> Keys() const;
    // Their values that many seconds after live voice began.
    KnobValues At(double seconds) const;

private:
    double framesPerSecond_ = 0.0;
    std::map<KnobKey, KnobTrack> tracks_;
};

} // namespace vel::lumo
