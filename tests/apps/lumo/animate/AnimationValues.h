#pragma once

#include "apps/lumo/animate/KeyGenerator.h"
#include "apps/lumo/model/KnobTrack.h"

#include <cstdint>
#include <vector>

namespace vel::lumo::test {

inline bool Always(std::uint64_t, std::uint64_t) {
    return true;
}

// A range of the document at 29.97 frames a second with the given voice.
inline AnimateInput Input(FrameRange range, AudioClip audio = {}) {
    AnimateInput input;
    input.frameRate = 29970;
    input.range = range;
    input.audio = std::move(audio);
    return input;
}

inline const std::vector<Anchor>& KeysOf(const Animation& animation, const KnobKey& key) {
    for (const KnobKeys& knob : animation.knobs) {
        if (knob.key == key) {
            return knob.anchors;
        }
    }
    static const std::vector<Anchor> none;
    return none;
}

// The knob's value in each frame of the range as the timeline plays it; -1
// where it has no keys.
inline std::vector<float> Values(const Animation& animation, const KnobKey& key, FrameRange range) {
    KnobTrack track;
    for (const Anchor& anchor : KeysOf(animation, key)) {
        track.Set(anchor.frame, anchor.value);
    }
    std::vector<float> values;
    for (std::uint32_t f = range.first; f < range.end; ++f) {
        values.push_back(track.ValueAt(f).value_or(-1.0f));
    }
    return values;
}

} // namespace vel::lumo::test
