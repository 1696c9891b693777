#include "apps/lumo/document/AnchorCommands.h"

namespace vel::lumo {

InsertAnchorCmd::InsertAnchorCmd(LumoDocument* document, KnobKey key, std::uint32_t frame,
                                 float value)
    : LumoCommand(document, "Set Spider"), key_(key), frame_(frame), value_(value) {}

bool InsertAnchorCmd::Do() {
    // The timeline would make a track for any key; one without a knob would
    // only lengthen the animation until the next knob change dropped it.
    return GetModel().HasKnob(key_) &&
           Changed(GetTimeline().InsertAnchor(key_, frame_, value_), ChangeBits::Timeline);
}

bool InsertAnchorCmd::Undo() {
    return Changed(GetTimeline().DeleteAnchor(key_, frame_), ChangeBits::Timeline);
}

DeleteAnchorCmd::DeleteAnchorCmd(LumoDocument* document, KnobKey key, std::uint32_t frame)
    : LumoCommand(document, "Delete Spider"), key_(key), frame_(frame) {}

bool DeleteAnchorCmd::Do() {
    value_ = GetTimeline().ValueAt(key_, frame_).value_or(0.0f);
    return Changed(GetTimeline().DeleteAnchor(key_, frame_), ChangeBits::Timeline);
}

bool DeleteAnchorCmd::Undo() {
    return Changed(GetTimeline().InsertAnchor(key_, frame_, value_), ChangeBits::Timeline);
}

MoveAnchorCmd::MoveAnchorCmd(LumoDocument* document, KnobKey key, std::uint32_t from,
                             std::uint32_t to, float value)
    : LumoCommand(document, "Move Spider"), key_(key), from_(from), to_(to), newValue_(value) {}

bool MoveAnchorCmd::Do() {
    // Moving within one frame sets the value even where no anchor is, and
    // undo could not take such a new anchor away again.
    if (!GetTimeline().HasAnchor(key_, from_)) {
        return false;
    }
    oldValue_ = GetTimeline().ValueAt(key_, from_).value_or(0.0f);
    return Changed(GetTimeline().MoveAnchor(key_, from_, to_, newValue_), ChangeBits::Timeline);
}

bool MoveAnchorCmd::Undo() {
    return Changed(GetTimeline().MoveAnchor(key_, to_, from_, oldValue_), ChangeBits::Timeline);
}

} // namespace vel::lumo
