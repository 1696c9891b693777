#pragma once

#include "apps/lumo/model/FrameRate.h"
#include "apps/lumo/model/Knob.h"
#include "apps/lumo/model/KnobTrack.h"
#include "apps/lumo/model/KnobValues.h"

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

namespace vel::lumo {

// The anchors of every knob of a document, one track per knob key, and the
// frame rate. Operations report failure only by false and never throw; a
// rejected change leaves the tracks exactly as they were.
class KnobTimeline {
public:
    using Tracks = std::map<KnobKey, KnobTrack>;

    std::uint32_t GetFrameRate() const { return frameRate_; }
    void SetFrameRate(std::uint32_t frameRate) { frameRate_ = frameRate; }
    // The largest frame at which an anchor was ever inserted or set; it never
    // shrinks, so deleting the last anchor keeps the animation's length.
    std::uint32_t GetHighestAnchorFrame() const { return highestAnchorFrame_; }
    std::uint32_t GetReserved() const { return reserved_; }
    const Tracks& GetTracks() const { return tracks_; }

    // Keeps the track of every knob that has one, gives each other knob a
    // track with the single anchor (0, typical) and drops tracks of keys that
    // are no longer knobs.
    void Synchronise(const std::vector<Knob>& knobs);

    // The key's track, created empty when the key has none.
    const KnobTrack& TrackFor(const KnobKey& key);
    // The key's track, or null when the key has none.
    const KnobTrack* FindTrack(const KnobKey& key) const;

    // Nothing when the key has no track or its track is empty.
    std::optional<float> ValueAt(const KnobKey& key, std::uint32_t frame) const;
    // The value of every non-empty track at the frame.
    KnobValues ValuesAt(std::uint32_t frame) const;

    bool HasAnchor(const KnobKey& key, std::uint32_t frame) const;
    // False when the frame already has an anchor on the key's track.
    bool InsertAnchor(const KnobKey& key, std::uint32_t frame, float value);
    // Overwrites the anchor at the frame or inserts one; creates the track if
    // the key has none.
    void SetAnchor(const KnobKey& key, std::uint32_t frame, float value);
    // False when there is no anchor exactly at the frame or it is the track's
    // first anchor.
    bool DeleteAnchor(const KnobKey& key, std::uint32_t frame);
    // With from equal to to, sets the anchor's value. Otherwise false without
    // change when from is 0 or to already holds an anchor.
    bool MoveAnchor(const KnobKey& key, std::uint32_t from, std::uint32_t to, float value);

    friend bool operator==(const KnobTimeline&, const KnobTimeline&) = default;

private:
    KnobTrack& MutableTrack(const KnobKey& key);
    void RaiseHighestAnchorFrame(std::uint32_t frame);

    std::uint32_t frameRate_ = DefaultFrameRate;
    std::uint32_t highestAnchorFrame_ = 0;
    std::uint32_t reserved_ = 0;
    Tracks tracks_;
};

} // namespace vel::lumo
