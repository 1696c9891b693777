#pragma once

#include "apps/lumo/animate/KeyGenerator.h"
#include "apps/lumo/animate/VoiceReader.h"

#include <cstdint>
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
    // What became of the spoken text, for the user, when it did not all help:
    // its words missing from the dictionary, or why it was not used.
    std::vector<std::string> notes;
};

// The spoken text's words, as written: runs of letters and apostrophes.
std::vector<std::string> SpokenWords(const std::string& text);

// Whether the text says something, not only blanks, yet holds no word: a
// spoken text no voice can say.
bool HoldsNoWord(const std::string& text);

// Where the piece of voice that starts at the sample from ends: the voice's
// end when that is near, otherwise the quietest moment of the piece's last
// seconds, where no word is under way.
std::uint64_t PieceEnd(const VoiceReader& voice, std::uint64_t from);

// Finds the phonemes of the voice with the US English acoustic model:
// phonetic decoding, which needs no text, piece by piece so that memory stays
// the same for any length, or, where the spoken text is given and fits the
// voice, the text's own phonemes aligned to the voice. Nothing when progress
// asked to stop; throws when the recogniser cannot run.
std::optional<Recognition> RecognisePhones(const VoiceReader& voice, const std::string& transcript,
                                           const AnimateProgress& progress);

} // namespace vel::lumo
