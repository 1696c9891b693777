#pragma once

#include "apps/lumo/animate/KeyGenerator.h"
#include "apps/lumo/document/MacroCommand.h"

#include <optional>
#include <string>
#include <vector>

namespace vel::lumo {

class LumoDocument;

// One undoable step, named after the generator that made the animation:
// adds every standard knob of the animation that the document lacks, then
// puts the animation's anchors on each knob inside the range, keeping the
// anchors outside.
MacroCommand MakeAnimationCommand(LumoDocument& document, const std::string& name, FrameRange range,
                                  const Animation& animation);

// Executes that step; false when the document refused it.
bool ApplyAnimation(LumoDocument& document, const std::string& name, FrameRange range,
                    const Animation& animation);

// "No shape has a pose on Mouth OOO yet: its keys will show once one does",
// naming every keyed knob that moves poses but drives none yet; nothing when
// all of them drive one.
std::optional<std::string> MissingPoseWarning(const LumoDocument& document,
                                              const std::vector<KnobKey>& keys);

} // namespace vel::lumo
