#pragma once

#include "apps/lumo/animate/KeyGenerator.h"
#include "apps/lumo/animate/KeyReduction.h"

#include <string>

namespace vel::lumo {

struct LipSyncSettings {
    // How readily the mouth opens with the voice's loudness: 1 is usual,
    // 2 opens a quiet voice as far as a loud one.
    float sensitivity = 1.0f;
    // 0 follows every phoneme; 1 blends neighbouring ones into a lazy mouth.
    float smoothing = 0.5f;
    bool useRecogniser = true;
    // The spoken words, when the user knows them.
    std::string transcript;
};

// Keys "mouth", "mEEE" and "mOOO" from the document's voice: from the
// recognised phonemes shaped by the loudness or, without speech, from the
// loudness and the spectrum alone; at most about eight keys a second.
class LipSyncGenerator : public KeyGenerator {
public:
    static constexpr double MaxKeysPerSecond = 8.0;
    // A mouth never strays more than this from the smooth curve through its keys.
    static constexpr float KeyTolerance = 0.04f;

    // At most MaxKeysPerSecond keys in any second of frames.
    static KeyLimit Limit(double framesPerSecond);

    explicit LipSyncGenerator(LipSyncSettings settings) : settings_(std::move(settings)) {}

    std::string Name() const override;
    std::vector<KnobKey> Keys() const override;
    std::optional<std::string> Problem(const AnimateInput& input) const override;
    // A range that takes minutes to analyse says so, and how long.
    std::optional<std::string> Warning(const AnimateInput& input) const override;
    std::optional<Animation> Generate(const AnimateInput& input,
                                      const AnimateProgress& progress) const override;

private:
    LipSyncSettings settings_;
};

} // namespace vel::lumo
