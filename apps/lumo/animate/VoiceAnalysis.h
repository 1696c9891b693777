#pragma once

#include "apps/lumo/animate/AnimateInput.h"
#include "apps/lumo/animate/KeyGenerator.h"
#include "apps/lumo/animate/VoiceReader.h"
#include "apps/lumo/animate/VoiceSpectrum.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vel::lumo {

// What one frame of the voice sounds like.
struct VoiceFrame {
    // Root mean square over the frame, 0..1 of full scale.
    float level = 0.0f;
    // Shares of the spectrum's energy (150..4000 Hz): the low region where
    // closed and rounded mouths put it, the region of an open mouth's first
    // resonance, and the high region of a wide mouth's second one.
    float low = 0.0f;
    float open = 0.0f;
    float high = 0.0f;
    // Energy above 4000 Hz over all of it: hissing and friction.
    float hiss = 0.0f;
    // The vowel's resonances, which say how open, wide or round the mouth
    // is in any language.
    Formants formants;
};

// One VoiceFrame per frame of the range, the frame's sound being the audio
// from its start to the next frame's, read a block of frames at a time.
// Nothing when progress asked to stop.
std::optional<std::vector<VoiceFrame>>
AnalyseVoice(const VoiceReader& voice, const AnimateInput& input, const AnimateProgress& progress);

} // namespace vel::lumo
