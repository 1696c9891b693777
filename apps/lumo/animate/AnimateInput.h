#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/model/KnobValues.h"

#include <cstdint>

namespace vel::lumo {

class LumoDocument;

// Frames first up to, not including, end.
struct FrameRange {
    std::uint32_t first = 0;
    std::uint32_t end = 0;

    std::uint32_t Length() const { return end > first ? end - first : 0; }
};

// What a generator reads of a document, copied on the editor's thread so that
// the generator can run on another one while the document stays editable.
struct AnimateInput {
    std::uint32_t frameRate = 0;
    FrameRange range;
    // Shares its samples with the document's clip.
    AudioClip audio;
    // Every knob's value at the range's first frame.
    KnobValues startValues;

    static AnimateInput From(const LumoDocument& document, FrameRange range);

    double FramesPerSecond() const { return frameRate / 1000.0; }
    // The value a knob has where the range starts, or the fallback when the
    // document has no such knob yet.
    float StartValue(const KnobKey& key, float fallback) const;
};

} // namespace vel::lumo
