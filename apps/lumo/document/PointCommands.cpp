#include "apps/lumo/document/PointCommands.h"

namespace vel::lumo {

InsertPointCmd::InsertPointCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t index,
                               Point point)
    : LumoCommand(document, "Add Point"), shape_(shape), index_(index), point_(point) {}

bool InsertPointCmd::Do() {
    return Changed(GetModel().InsertPoint(shape_, index_, point_), ChangeBits::Model);
}

bool InsertPointCmd::Undo() {
    GetModel().DeletePoint(shape_, index_);
    Notify(ChangeBits::Model);
    return true;
}

DeletePointCmd::DeletePointCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t index)
    : LumoCommand(document, "Delete Point"), shape_(shape), index_(index) {}

bool DeletePointCmd::Do() {
    Model& model = GetModel();
    // Undo puts the point back through the base pose, so a point the base
    // pose lacks could not be restored: refuse rather than record a deletion
    // whose undo would invent a point.
    if (index_ >= model.GetPosePoints(shape_, 0).size()) {
        return false;
    }
    const std::uint64_t poses = model.GetPoseCount(shape_);
    saved_.clear();
    for (std::uint64_t pose = 0; pose < poses; ++pose) {
        const std::vector<Point> points = model.GetPosePoints(shape_, pose);
        saved_.push_back(index_ < points.size() ? points[index_] : Point{});
    }
    model.DeletePoint(shape_, index_);
    Notify(ChangeBits::Model);
    return true;
}

bool DeletePointCmd::Undo() {
    Model& model = GetModel();
    // Without the reinserted point the coordinates below would overwrite
    // other corners, so stop at a failed insert.
    if (saved_.empty() ||
        !Changed(model.InsertPoint(shape_, index_, saved_.front()), ChangeBits::Model)) {
        return false;
    }
    for (std::uint64_t pose = 1; pose < saved_.size(); ++pose) {
        model.SetPoint(shape_, pose, index_, saved_[pose]);
        Notify(ChangeBits::Model);
    }
    return true;
}

MovePointCmd::MovePointCmd(LumoDocument* document, std::uint64_t shape, std::uint64_t pose,
                           std::uint64_t index, Point point)
    : LumoCommand(document, "Move Point"), shape_(shape), pose_(pose), index_(index),
      newPoint_(point) {}

bool MovePointCmd::Place(Point point, Point& replaced) {
    if (index_ >= GetModel().GetPosePoints(shape_, pose_).size()) {
        return false;
    }
    replaced = GetModel().SetPoint(shape_, pose_, index_, point);
    Notify(ChangeBits::Model);
    return true;
}

bool MovePointCmd::Do() {
    return Place(newPoint_, oldPoint_);
}

bool MovePointCmd::Undo() {
    Point replaced;
    return Place(oldPoint_, replaced);
}

} // namespace vel::lumo
