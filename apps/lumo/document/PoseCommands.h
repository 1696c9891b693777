#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/KnobKey.h"
#include "apps/lumo/model/Point.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace vel::lumo {

// Inserting and deleting a pose are each other's inverse over the same
// fields: where the pose goes, its knob and its points.
template <class Derived> class PoseListCmd : public LumoCommand<Derived> {
protected:
    PoseListCmd(LumoDocument* document, std::string name, std::uint64_t shape, std::uint64_t pose,
                KnobKey key, std::vector<Point> points)
        : LumoCommand<Derived>(document, std::move(name)), shape_(shape), pose_(pose), key_(key),
          points_(std::move(points)) {}

    bool Insert() const {
        return this->Changed(this->GetModel().InsertPose(shape_, pose_, key_, points_),
                             ChangeBits::Model);
    }
    bool Remove() const {
        return this->Changed(this->GetModel().DeletePose(shape_, pose_), ChangeBits::Model);
    }

    std::uint64_t shape_;
    std::uint64_t pose_;
    KnobKey key_;
    std::vector<Point> points_;
};

class InsertPoseCmd : public PoseListCmd<InsertPoseCmd> {
public:
    InsertPoseCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose, KnobKey key,
                  std::vector<Point> points);

    bool Do() override;
    bool Undo() override;
};

// Removes a pose; undo puts it back with its knob and points.
class DeletePoseCmd : public PoseListCmd<DeletePoseCmd> {
public:
    DeletePoseCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose);

    bool Do() override;
    bool Undo() override;
};

// Ties a pose to another knob.
class ChangePoseKnobCmd : public LumoCommand<ChangePoseKnobCmd> {
public:
    ChangePoseKnobCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose, KnobKey key);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
    std::uint64_t pose_;
    KnobKey newKey_;
    KnobKey oldKey_;
};

// Moves every point of one pose by the same offset.
class MovePoseCmd : public LumoCommand<MovePoseCmd> {
public:
    MovePoseCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose, float dx,
                float dy);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
    std::uint64_t pose_;
    float dx_;
    float dy_;
};

} // namespace vel::lumo
