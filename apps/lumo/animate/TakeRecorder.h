#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/model/KnobValues.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <vector>

namespace vel::lumo {

class LumoDocument;

// A take: the sound heard live and the live knobs' values while it lasts,
// kept to become the document's clip and keys. The sound is its own clock:
// each frame of the take holds the live values at the moment the sound
// reached that frame's start, so the keys stay in step with the clip
// whatever the window's timers do.
class TakeRecorder {
public:
    static constexpr const char* StepName = "Record Take";

    // Sound in the given format; frames at frameRate (thousandths of a
    // frame a second), the take's first one at the document's firstFrame.
    TakeRecorder(const AudioHeader& sound, std::uint32_t frameRate, std::uint32_t firstFrame);

    // Adds the bytes (a partial sample frame waits for the rest); each frame
    // whose start the sound now reaches takes these values.
    void Hear(std::span<const std::uint8_t> bytes, const KnobValues& live);

    std::uint32_t FirstFrame() const { return firstFrame_; }
    std::uint32_t FrameCount() const { return frames_; }

    // Puts the take into the document as one undo step: its sound at the
    // take's frames in the clip, the clip's sound around it kept (in the
    // clip's format, silence where the clip had none), and keys on each
    // recorded knob over the take's frames. False, with nothing changed,
    // when no frame was heard or the document refused.
    bool Apply(LumoDocument& document) const;

private:
    AudioClip Clip(const AudioClip& before) const;

    AudioHeader sound_;
    std::uint32_t frameRate_;
    std::uint32_t firstFrame_;
    std::vector<std::uint8_t> bytes_;
    std::uint32_t frames_ = 0;
    // Each knob's value per frame; nothing where it was not live.
    std::map<KnobKey, std::vector<std::optional<float>>> rows_;
};

} // namespace vel::lumo
