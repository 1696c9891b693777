#include "apps/lumo/document/PoseCommands.h"

#include <utility>

namespace vel::lumo {

InsertPoseCmd::InsertPoseCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose,
                             KnobKey key, std::vector<Point> points)
    : PoseListCmd(document, "Add Pose", shape, pose, key, std::move(points)) {}

bool InsertPoseCmd::Do() {
    return Insert();
}

bool InsertPoseCmd::Undo() {
    return Remove();
}

DeletePoseCmd::DeletePoseCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose)
    : PoseListCmd(document, "Delete Pose", shape, pose, KnobKey(), {}) {}

bool DeletePoseCmd::Do() {
    key_ = GetModel().GetPoseKnobKey(shape_, pose_);
    points_ = GetModel().GetPosePoints(shape_, pose_);
    return Remove();
}

bool DeletePoseCmd::Undo() {
    return Insert();
}

ChangePoseKnobCmd::ChangePoseKnobCmd(LumoDocument* document, std::uint64_t shape,
                                     std::uint64_t pose, KnobKey key)
    : LumoCommand(document, "Change Pose Knob"), shape_(shape), pose_(pose), newKey_(key) {}

bool ChangePoseKnobCmd::Do() {
    oldKey_ = GetModel().GetPoseKnobKey(shape_, pose_);
    return Changed(GetModel().SetPoseKnob(shape_, pose_, newKey_), ChangeBits::Model);
}

bool ChangePoseKnobCmd::Undo() {
    return Changed(GetModel().SetPoseKnob(shape_, pose_, oldKey_), ChangeBits::Model);
}

MovePoseCmd::MovePoseCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose, float dx,
                         float dy)
    : LumoCommand(document, "Move Pose"), shape_(shape), pose_(pose), dx_(dx), dy_(dy) {}

bool MovePoseCmd::Do() {
    return Changed(GetModel().MovePose(shape_, pose_, dx_, dy_), ChangeBits::Model);
}

bool MovePoseCmd::Undo() {
    return Changed(GetModel().MovePose(shape_, pose_, -dx_, -dy_), ChangeBits::Model);
}

} // namespace vel::lumo
