#include "apps/lumo/document/ReplaceAnchorsCmd.h"

#include <utility>

namespace vel::lumo {

ReplaceAnchorsCmd::ReplaceAnchorsCmd(LumoDocument* document, KnobKey key, std::uint32_t first,
                                     std::uint32_t end, std::vector<Anchor> anchors)
    : LumoCommand(document, "Replace Spiders"), key_(key), first_(first), end_(end),
      anchors_(std::move(anchors)) {}

bool ReplaceAnchorsCmd::Do() {
    const KnobTrack* track = GetTimeline().FindTrack(key_);
    if (!GetModel().HasKnob(key_) || track == nullptr || first_ >= end_) {
        return false;
    }
    replaced_.clear();
    for (const Anchor& anchor : track->GetAnchors()) {
        if (anchor.frame >= first_ && anchor.frame < end_) {
            replaced_.push_back(anchor);
        }
    }
    Put(anchors_);
    return true;
}

bool ReplaceAnchorsCmd::Undo() {
    if (GetTimeline().FindTrack(key_) == nullptr) {
        return false;
    }
    Put(replaced_);
    return true;
}

void ReplaceAnchorsCmd::Put(const std::vector<Anchor>& anchors) {
    KnobTimeline& timeline = GetTimeline();
    std::vector<std::uint32_t> inside;
    for (const Anchor& anchor : timeline.FindTrack(key_)->GetAnchors()) {
        if (anchor.frame >= first_ && anchor.frame < end_) {
            inside.push_back(anchor.frame);
        }
    }
    // Deleting refuses the track's first anchor, which then stays as it is
    // unless one of the new anchors sits on its frame.
    for (const std::uint32_t frame : inside) {
        timeline.DeleteAnchor(key_, frame);
    }
    for (const Anchor& anchor : anchors) {
        timeline.SetAnchor(key_, anchor.frame, anchor.value);
    }
    Notify(ChangeBits::Timeline);
}

} // namespace vel::lumo
