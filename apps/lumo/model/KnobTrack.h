#pragma once

#include "apps/lumo/model/Anchor.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace vel::lumo {

// The anchors of one knob, sorted by strictly ascending frame. A track made
// by the timeline always starts with an anchor at frame 0, whose value may
// change but which cannot be deleted; a track read from a file for a key
// without a knob may start later.
class KnobTrack {
public:
    KnobTrack() = default;
    explicit KnobTrack(Anchor first) : anchors_{first} {}

    const std::vector<Anchor>& GetAnchors() const { return anchors_; }
    bool IsEmpty() const { return anchors_.empty(); }

    // Linear between anchors, holding after the last one and taking the first
    // anchor's value before it; nothing for an empty track.
    std::optional<float> ValueAt(std::uint32_t frame) const;
    bool HasAnchor(std::uint32_t frame) const;

    // False when the frame already has an anchor.
    bool Insert(std::uint32_t frame, float value);
    // Overwrites the anchor at the frame or inserts a new one.
    void Set(std::uint32_t frame, float value);
    // False without an anchor exactly at the frame, and for the first anchor.
    bool Delete(std::uint32_t frame);

    friend bool operator==(const KnobTrack&, const KnobTrack&) = default;

private:
    std::vector<Anchor> anchors_;
};

} // namespace vel::lumo
