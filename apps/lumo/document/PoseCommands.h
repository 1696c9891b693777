#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/KnobKey.h"
#include "apps/lumo/model/Point.h"

#include <cstdint>
#include <vector>

namespace vel::lumo {

class InsertPoseCmd : public LumoCommand<InsertPoseCmd> {
public:
    InsertPoseCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose, KnobKey key,
                  std::vector<Point> points);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
    std::uint64_t pose_;
    KnobKey key_;
    std::vector<Point> points_;
};

class DeletePoseCmd : public LumoCommand<DeletePoseCmd> {
public:
    DeletePoseCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
    std::uint64_t pose_;
    KnobKey key_;
    std::vector<Point> points_;
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
