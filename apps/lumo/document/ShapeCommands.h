#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/Shape.h"

#include <cstdint>
#include <string>

namespace vel::lumo {

// Adds a lit shape without poses, named after its position.
class InsertShapeCmd : public LumoCommand<InsertShapeCmd> {
public:
    InsertShapeCmd(LumoDocument* document, std::uint64_t shape);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
};

class DeleteShapeCmd : public LumoCommand<DeleteShapeCmd> {
public:
    DeleteShapeCmd(LumoDocument* document, std::uint64_t shape);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t index_;
    Shape shape_;
};

class SetShapeNameCmd : public LumoCommand<SetShapeNameCmd> {
public:
    SetShapeNameCmd(LumoDocument* document, std::uint64_t shape, std::string name);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
    std::string newName_;
    std::string oldName_;
};

class SetShapeIlluminationCmd : public LumoCommand<SetShapeIlluminationCmd> {
public:
    SetShapeIlluminationCmd(LumoDocument* document, std::uint64_t shape,
                            std::uint32_t illumination);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
    std::uint32_t newIllumination_;
    std::uint32_t oldIllumination_ = 0;
};

// Moves every pose of a shape by the same offset.
class MoveShapeCmd : public LumoCommand<MoveShapeCmd> {
public:
    MoveShapeCmd(LumoDocument* document, std::uint64_t shape, float dx, float dy);

    bool Do() override;
    bool Undo() override;

private:
    std::uint64_t shape_;
    float dx_;
    float dy_;
};

} // namespace vel::lumo
