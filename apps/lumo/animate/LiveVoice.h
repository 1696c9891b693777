#pragma once

#include "apps/lumo/animate/MouthShape.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <vector>

namespace vel::lumo {

class VoiceSpectrum;

// The mouth that a voice heard live makes, one step of 10 ms at a time, from
// what has been heard so far alone: fed the same sound in pieces of any size,
// it gives the same mouths as fed all of it at once. It hears mono 16-bit
// samples at Rate.
//
// The mouth opens with the loudness over the noise floor, learnt from the
// first second heard (and again after LearnQuiet), and rests meanwhile; it
// goes wide or round by where the voice puts its energy in the spectrum; the
// lips shut on a sharp, short drop of the level and on a hum, and the mouth
// rests in the pauses.
class LiveVoice {
public:
    static constexpr std::uint32_t Rate = 16000;
    // One step.
    static constexpr std::size_t Hop = Rate / 100;
    // The sound each step looks at: the last 20 ms.
    static constexpr std::size_t Window = 2 * Hop;
    // How many steps the noise floor is learnt from: a second.
    static constexpr std::size_t LearningSteps = 100;

    LiveVoice();
    ~LiveVoice();
    LiveVoice(const LiveVoice&) = delete;
    LiveVoice& operator=(const LiveVoice&) = delete;

    // Hears the samples; answers the mouth of each step they complete, in order.
    std::vector<MouthShape> Hear(std::span<const std::int16_t> samples);
    // The mouth of the last step completed.
    const MouthShape& Mouth() const { return mouth_; }
    // Learns the noise floor again from the next second, the mouth at rest.
    void LearnQuiet();
    bool IsLearning() const { return !floorDb_.has_value(); }

private:
    MouthShape Step();
    // The mouth's shape from the spectrum of the window, before loudness.
    MouthShape Shape();

    std::unique_ptr<VoiceSpectrum> spectrum_;
    std::vector<std::int16_t> heard_;
    std::vector<float> learning_;
    std::optional<float> floorDb_;
    // The levels of the last few steps, newest last, for the lips' closure.
    std::vector<float> recent_;
    MouthShape mouth_;
};

} // namespace vel::lumo
