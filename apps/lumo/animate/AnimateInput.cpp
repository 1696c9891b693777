#include "apps/lumo/animate/AnimateInput.h"

#include "apps/lumo/document/LumoDocument.h"

namespace vel::lumo {

AnimateInput AnimateInput::From(const LumoDocument& document, FrameRange range) {
    return {document.GetFrameRate(), range, document.GetAudio(),
            document.GetKnobValues(range.first)};
}

float AnimateInput::StartValue(const KnobKey& key, float fallback) const {
    const auto found = startValues.find(key);
    return found == startValues.end() ? fallback : found->second;
}

} // namespace vel::lumo
