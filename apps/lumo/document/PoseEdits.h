#pragma once

#include "apps/lumo/document/Selection.h"
#include "apps/lumo/model/Knob.h"

#include <cstdint>
#include <optional>

namespace vel::lumo {

class LumoDocument;
class SelectionHost;

// Edits of a shape's poses that the panes offer. Each is one undo step named
// as the user's action, and answers whether the document took it. The knob
// pose edits never touch the base pose: the shape's outline and every other
// pose build on it.

// Whether the pose is one of the shape's knob poses: there, and not the base.
bool IsKnobPose(const LumoDocument& document, std::uint64_t shape, std::uint64_t pose);

// Lets the knob pose follow the key, adding the knob it needs, if any, in
// the same step. Nothing happens when nothing would change.
bool SetPoseKnob(LumoDocument& document, std::uint64_t shape, std::uint64_t pose,
                 const KnobKey& key, const std::optional<Knob>& added);

// Appends a copy of the selected shape's base pose that follows the key and
// selects it, keeping the reference pose. A knob the document must gain is
// added as a step of its own before the pose.
bool AddPose(LumoDocument& document, SelectionHost& host, const Selection& current,
             const KnobKey& key, const std::optional<Knob>& added);

// Deletes a knob pose and selects the one that takes its place, or the one
// before it when it was the last.
bool DeleteKnobPose(LumoDocument& document, SelectionHost& host, const Selection& current,
                    std::uint64_t shape, std::uint64_t pose);

// Moves every point of the pose by the offset of a drag; any pose, the base
// included.
bool MovePose(LumoDocument& document, std::uint64_t shape, std::uint64_t pose, float dx, float dy);

} // namespace vel::lumo
