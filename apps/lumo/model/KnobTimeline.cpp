#include "apps/lumo/model/KnobTimeline.h"

#include <algorithm>
#include <utility>

namespace vel::lumo {

void KnobTimeline::Synchronise(const std::vector<Knob>& knobs) {
    Tracks synchronised;
    for (const Knob& knob : knobs) {
        const auto old = tracks_.find(knob.key);
        if (old != tracks_.end()) {
            synchronised.insert_or_assign(knob.key, std::move(old->second));
        } else {
            synchronised.try_emplace(knob.key, Anchor{0, knob.typical});
        }
    }
    tracks_ = std::move(synchronised);
}

KnobTrack& KnobTimeline::MutableTrack(const KnobKey& key) {
    return tracks_[key];
}

const KnobTrack& KnobTimeline::TrackFor(const KnobKey& key) {
    return MutableTrack(key);
}

const KnobTrack* KnobTimeline::FindTrack(const KnobKey& key) const {
    const auto found = tracks_.find(key);
    return found == tracks_.end() ? nullptr : &found->second;
}

std::optional<float> KnobTimeline::ValueAt(const KnobKey& key, std::uint32_t frame) const {
    const KnobTrack* track = FindTrack(key);
    return track ? track->ValueAt(frame) : std::nullopt;
}

KnobValues KnobTimeline::ValuesAt(std::uint32_t frame) const {
    KnobValues values;
    for (const auto& [key, track] : tracks_) {
        if (const auto value = track.ValueAt(frame)) {
            values.emplace_hint(values.end(), key, *value);
        }
    }
    return values;
}

bool KnobTimeline::HasAnchor(const KnobKey& key, std::uint32_t frame) const {
    const KnobTrack* track = FindTrack(key);
    return track && track->HasAnchor(frame);
}

void KnobTimeline::RaiseHighestAnchorFrame(std::uint32_t frame) {
    highestAnchorFrame_ = std::max(highestAnchorFrame_, frame);
}

bool KnobTimeline::InsertAnchor(const KnobKey& key, std::uint32_t frame, float value) {
    if (!MutableTrack(key).Insert(frame, value)) {
        return false;
    }
    RaiseHighestAnchorFrame(frame);
    return true;
}

void KnobTimeline::SetAnchor(const KnobKey& key, std::uint32_t frame, float value) {
    MutableTrack(key).Set(frame, value);
    RaiseHighestAnchorFrame(frame);
}

bool KnobTimeline::DeleteAnchor(const KnobKey& key, std::uint32_t frame) {
    const auto found = tracks_.find(key);
    return found != tracks_.end() && found->second.Delete(frame);
}

bool KnobTimeline::MoveAnchor(const KnobKey& key, std::uint32_t from, std::uint32_t to,
                              float value) {
    if (from == to) {
        SetAnchor(key, to, value);
        return true;
    }
    if (from == 0 || HasAnchor(key, to) || !DeleteAnchor(key, from)) {
        return false;
    }
    return InsertAnchor(key, to, value);
}

} // namespace vel::lumo
