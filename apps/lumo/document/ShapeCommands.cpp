#include "apps/lumo/document/ShapeCommands.h"

#include <utility>

namespace vel::lumo {

InsertShapeCmd::InsertShapeCmd(LumoDocument* document, std::uint64_t shape)
    : LumoCommand(document, "New Shape"), shape_(shape) {}

bool InsertShapeCmd::Do() {
    return Changed(GetModel().InsertNewShape(shape_), ChangeBits::Model);
}

bool InsertShapeCmd::Undo() {
    return Changed(GetModel().DeleteShape(shape_), ChangeBits::Model);
}

DeleteShapeCmd::DeleteShapeCmd(LumoDocument* document, std::uint64_t shape)
    : LumoCommand(document, "Delete Shape"), index_(shape) {}

bool DeleteShapeCmd::Do() {
    shape_ = GetModel().GetShape(index_);
    return Changed(GetModel().DeleteShape(index_), ChangeBits::Model);
}

bool DeleteShapeCmd::Undo() {
    return Changed(GetModel().InsertShape(index_, shape_), ChangeBits::Model);
}

SetShapeNameCmd::SetShapeNameCmd(LumoDocument* document, std::uint64_t shape, std::string name)
    : LumoCommand(document, "Rename Shape"), shape_(shape), newName_(std::move(name)) {}

bool SetShapeNameCmd::Do() {
    oldName_ = GetModel().GetShapeName(shape_);
    return Changed(GetModel().SetShapeName(shape_, newName_), ChangeBits::Model);
}

bool SetShapeNameCmd::Undo() {
    return Changed(GetModel().SetShapeName(shape_, oldName_), ChangeBits::Model);
}

SetShapeIlluminationCmd::SetShapeIlluminationCmd(LumoDocument* document, std::uint64_t shape,
                                                 std::uint32_t illumination)
    : LumoCommand(document, "Set Illumination"), shape_(shape), newIllumination_(illumination) {}

bool SetShapeIlluminationCmd::Do() {
    oldIllumination_ = GetModel().GetShapeIllumination(shape_);
    return Changed(GetModel().SetShapeIllumination(shape_, newIllumination_), ChangeBits::Model);
}

bool SetShapeIlluminationCmd::Undo() {
    return Changed(GetModel().SetShapeIllumination(shape_, oldIllumination_), ChangeBits::Model);
}

MoveShapeCmd::MoveShapeCmd(LumoDocument* document, std::uint64_t shape, float dx, float dy)
    : LumoCommand(document, "Move Shape"), shape_(shape), dx_(dx), dy_(dy) {}

bool MoveShapeCmd::Do() {
    return Changed(GetModel().MoveShape(shape_, dx_, dy_), ChangeBits::Model);
}

bool MoveShapeCmd::Undo() {
    return Changed(GetModel().MoveShape(shape_, -dx_, -dy_), ChangeBits::Model);
}

} // namespace vel::lumo
