#include "apps/lumo/model/KnobTrack.h"

#include <algorithm>

namespace vel::lumo {

namespace {

template <typename Anchors> auto FirstNotBefore(Anchors& anchors, std::uint32_t frame) {
    return std::lower_bound(anchors.begin(), anchors.end(), frame,
                            [](const Anchor& anchor, std::uint32_t f) { return anchor.frame < f; });
}

} // namespace

std::optional<float> KnobTrack::ValueAt(std::uint32_t frame) const {
    if (anchors_.empty()) {
        return std::nullopt;
    }
    const auto next = FirstNotBefore(anchors_, frame);
    if (next == anchors_.end()) {
        return anchors_.back().value;
    }
    if (next->frame == frame || next == anchors_.begin()) {
        return next->value;
    }
    const Anchor& previous = *(next - 1);
    const float t = static_cast<float>(frame - previous.frame) /
                    static_cast<float>(next->frame - previous.frame);
    return (1.0f - t) * previous.value + t * next->value;
}

bool KnobTrack::HasAnchor(std::uint32_t frame) const {
    const auto found = FirstNotBefore(anchors_, frame);
    return found != anchors_.end() && found->frame == frame;
}

bool KnobTrack::Insert(std::uint32_t frame, float value) {
    const auto position = FirstNotBefore(anchors_, frame);
    if (position != anchors_.end() && position->frame == frame) {
        return false;
    }
    anchors_.insert(position, Anchor{frame, value});
    return true;
}

void KnobTrack::Set(std::uint32_t frame, float value) {
    const auto position = FirstNotBefore(anchors_, frame);
    if (position != anchors_.end() && position->frame == frame) {
        position->value = value;
    } else {
        anchors_.insert(position, Anchor{frame, value});
    }
}

bool KnobTrack::Delete(std::uint32_t frame) {
    const auto position = FirstNotBefore(anchors_, frame);
    if (position == anchors_.end() || position->frame != frame || position == anchors_.begin()) {
        return false;
    }
    anchors_.erase(position);
    return true;
}

} // namespace vel::lumo
