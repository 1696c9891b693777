#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/KnobKey.h"

#include <cstdint>

namespace vel::lumo {

class InsertAnchorCmd : public LumoCommand<InsertAnchorCmd> {
public:
    InsertAnchorCmd(LumoDocument* document, KnobKey key, std::uint32_t frame, float value);

    bool Do() override;
    bool Undo() override;

private:
    KnobKey key_;
    std::uint32_t frame_;
    float value_;
};

// Removes an anchor other than the track's first.
class DeleteAnchorCmd : public LumoCommand<DeleteAnchorCmd> {
public:
    DeleteAnchorCmd(LumoDocument* document, KnobKey key, std::uint32_t frame);

    bool Do() override;
    bool Undo() override;

private:
    KnobKey key_;
    std::uint32_t frame_;
    float value_ = 0.0f;
};

// Moves an anchor to another frame and gives it a new value; with the same
// frame only the value changes.
class MoveAnchorCmd : public LumoCommand<MoveAnchorCmd> {
public:
    MoveAnchorCmd(LumoDocument* document, KnobKey key, std::uint32_t from, std::uint32_t to,
                  float value);

    bool Do() override;
    bool Undo() override;

private:
    KnobKey key_;
    std::uint32_t from_;
    std::uint32_t to_;
    float newValue_;
    float oldValue_ = 0.0f;
};

} // namespace vel::lumo
