#pragma once

#include "apps/lumo/animate/KeyGenerator.h"
#include "apps/lumo/animate/LipSyncGenerator.h"
#include "apps/lumo/animate/VoiceAnalysis.h"

#include <string>
#include <vector>

namespace vel::lumo {

// The three mouth knobs of a frame range, one value per frame, made from
// what each frame sounds like and, when the phonemes are known, the one each
// frame says.
struct MouthCurves {
    std::vector<float> open;
    std::vector<float> wide;
    std::vector<float> round;
    // The frames where the lips are seen shut inside the voice.
    std::vector<bool> shut;

    // phones holds one upper-case ARPAbet name per frame ("SIL" for none), or
    // nothing to read the mouth from the spectrum alone.
    static MouthCurves From(const std::vector<VoiceFrame>& frames,
                            const std::vector<std::string>& phones, const LipSyncSettings& settings,
                            double framesPerSecond);

    // The keys of "mouth", "mEEE" and "mOOO" for the range starting at first:
    // at most eight on a row in any second, and every closure inside the
    // voice keyed.
    std::vector<KnobKeys> Keys(std::uint32_t first, double framesPerSecond) const;
};

} // namespace vel::lumo
