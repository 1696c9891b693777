#pragma once

#include "apps/lumo/animate/KeyGenerator.h"
#include "apps/lumo/animate/VoiceAnalysis.h"

#include <optional>
#include <string>
#include <vector>

namespace vel::lumo {

// One recognised phoneme (an upper-case ARPAbet name, "SIL" for silence), in
// seconds from the start of the voice samples.
struct Phone {
    std::string name;
    double start = 0.0;
    double end = 0.0;
};

struct Recognition {
    std::vector<Phone> phones;
    // Why nothing was recognised, when nothing was.
    std::string problem;
    // Whether the spoken text set the phonemes.
    bool fromTranscript = false;
};

// Finds the phonemes of the voice with the US English acoustic model:
// phonetic decoding, which needs no text, or, where the spoken text is given
// and every word of it is known, the text's own phonemes aligned to the
// voice. Nothing when progress asked to stop.
std::optional<Recognition> RecognisePhones(const VoiceSamples& voice, const std::string& transcript,
                                           const AnimateProgress& progress);

} // namespace vel::lumo
