#include "apps/lumo/document/ShapeEdits.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/MacroCommand.h"
#include "apps/lumo/document/PointCommands.h"
#include "apps/lumo/document/PoseCommands.h"
#include "apps/lumo/document/SelectionCommands.h"
#include "apps/lumo/document/ShapeCommands.h"

#include <vector>

namespace vel::lumo {

namespace {

const KnobKey BasePoseKey("first");

} // namespace

bool InsertNewShape(LumoDocument& document, SelectionHost& host, const Selection& current) {
    const std::uint64_t shape = document.GetModel().GetShapeCount();
    MacroCommand macro("New Shape");
    macro.Append(std::make_unique<InsertShapeCmd>(&document, shape));
    macro.Append(std::make_unique<SelectPoseCmd>(&host, Selection{shape, 0, 0}, current));
    return document.Execute(macro);
}

bool DeleteShape(LumoDocument& document, SelectionHost& host, const Selection& current,
                 std::uint64_t shape) {
    const std::uint64_t count = document.GetModel().GetShapeCount();
    if (shape >= count) {
        return false;
    }
    const std::uint64_t next = shape + 1 < count ? shape : (shape > 0 ? shape - 1 : 0);
    MacroCommand macro("Delete Shape");
    macro.Append(std::make_unique<SelectPoseCmd>(&host, Selection{next, 0, 0}, current));
    macro.Append(std::make_unique<DeleteShapeCmd>(&document, shape));
    return document.Execute(macro);
}

bool AppendPoint(LumoDocument& document, SelectionHost& host, const Selection& current,
                 Point point) {
    const Model& model = document.GetModel();
    MacroCommand macro("Add Point");
    std::uint64_t shape = current.shape;
    std::uint64_t index = 0;
    if (shape >= model.GetShapeCount()) {
        shape = model.GetShapeCount();
        macro.Append(std::make_unique<InsertShapeCmd>(&document, shape));
    }
    if (model.GetPoseCount(shape) > 0) {
        index = model.GetPosePoints(shape, 0).size();
    } else {
        macro.Append(std::make_unique<InsertPoseCmd>(&document, shape, 0, BasePoseKey,
                                                     std::vector<Point>{}));
        macro.Append(std::make_unique<SelectPoseCmd>(&host, Selection{shape, 0, 0}, current));
    }
    macro.Append(std::make_unique<InsertPointCmd>(&document, shape, index, point));
    return document.Execute(macro);
}

bool DeletePoint(LumoDocument& document, std::uint64_t shape, std::uint64_t index) {
    return document.Execute(DeletePointCmd(&document, shape, index));
}

bool MovePoint(LumoDocument& document, std::uint64_t shape, std::uint64_t pose, std::uint64_t index,
               Point point) {
    return document.Execute(MovePointCmd(&document, shape, pose, index, point));
}

bool MoveShape(LumoDocument& document, std::uint64_t shape, float dx, float dy) {
    return document.Execute(MoveShapeCmd(&document, shape, dx, dy));
}

bool RenameShape(LumoDocument& document, std::uint64_t shape, const std::string& name) {
    return document.Execute(SetShapeNameCmd(&document, shape, name));
}

bool SetIllumination(LumoDocument& document, std::uint64_t shape, std::uint32_t illumination) {
    return document.Execute(SetShapeIlluminationCmd(&document, shape, illumination));
}

} // namespace vel::lumo
