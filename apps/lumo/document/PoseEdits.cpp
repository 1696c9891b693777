#include "apps/lumo/document/PoseEdits.h"

#include "apps/lumo/document/KnobCommands.h"
#include "apps/lumo/document/KnobEdits.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/MacroCommand.h"
#include "apps/lumo/document/PoseCommands.h"
#include "apps/lumo/document/SelectionCommands.h"

namespace vel::lumo {

bool IsKnobPose(const LumoDocument& document, std::uint64_t shape, std::uint64_t pose) {
    return pose > 0 && pose < document.GetModel().GetPoseCount(shape);
}

bool SetPoseKnob(LumoDocument& document, std::uint64_t shape, std::uint64_t pose,
                 const KnobKey& key, const std::optional<Knob>& added) {
    if (!IsKnobPose(document, shape, pose)) {
        return false;
    }
    MacroCommand macro("Change Pose Knob");
    if (added) {
        macro.Append(std::make_unique<AddKnobCmd>(&document, *added));
    }
    if (key != document.GetModel().GetPoseKnobKey(shape, pose)) {
        macro.Append(std::make_unique<ChangePoseKnobCmd>(&document, shape, pose, key));
    }
    return !macro.IsEmpty() && document.Execute(macro);
}

bool AddPose(LumoDocument& document, SelectionHost& host, const Selection& current,
             const KnobKey& key, const std::optional<Knob>& added) {
    if (current.shape >= document.GetModel().GetShapeCount() ||
        (added && !AddKnob(document, *added))) {
        return false;
    }
    const std::uint64_t pose = document.GetModel().GetPoseCount(current.shape);
    MacroCommand macro("Add Pose");
    macro.Append(std::make_unique<InsertPoseCmd>(&document, current.shape, pose, key,
                                                 document.GetPosePoints(current.shape, 0)));
    macro.Append(std::make_unique<SelectPoseCmd>(
        &host, Selection{current.shape, pose, current.referencePose}, current));
    return document.Execute(macro);
}

bool DeleteKnobPose(LumoDocument& document, SelectionHost& host, const Selection& current,
                    std::uint64_t shape, std::uint64_t pose) {
    if (!IsKnobPose(document, shape, pose)) {
        return false;
    }
    const std::uint64_t count = document.GetModel().GetPoseCount(shape);
    const std::uint64_t next = pose + 1 < count ? pose : pose - 1;
    MacroCommand macro("Delete Pose");
    macro.Append(std::make_unique<SelectPoseCmd>(&host, Selection{shape, next, next}, current));
    macro.Append(std::make_unique<DeletePoseCmd>(&document, shape, pose));
    return document.Execute(macro);
}

bool MovePose(LumoDocument& document, std::uint64_t shape, std::uint64_t pose, float dx, float dy) {
    return document.Execute(MovePoseCmd(&document, shape, pose, dx, dy));
}

} // namespace vel::lumo
