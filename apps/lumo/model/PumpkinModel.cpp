#include "apps/lumo/model/PumpkinModel.h"

#include "apps/lumo/model/FrameEvaluation.h"
#include "apps/lumo/model/StandardKnobs.h"

#include <algorithm>
#include <string>
#include <utility>

namespace vel::lumo {

namespace {

constexpr std::size_t CandleKnobCount = 3;

void MovePoints(std::vector<Point>& points, float dx, float dy) {
    for (Point& point : points) {
        point.x += dx;
        point.y += dy;
    }
}

template <typename List> auto At(List& list, std::uint64_t index) -> decltype(list.data()) {
    return index < list.size() ? list.data() + index : nullptr;
}

} // namespace

PumpkinModel::PumpkinModel()
    : knobs_(StandardKnobs().begin(), StandardKnobs().begin() + CandleKnobCount) {}

std::unique_ptr<Model> PumpkinModel::Clone() const {
    return std::make_unique<PumpkinModel>(*this);
}

Shape* PumpkinModel::FindShape(std::uint64_t shape) {
    return At(shapes_, shape);
}

const Shape* PumpkinModel::FindShape(std::uint64_t shape) const {
    return At(shapes_, shape);
}

Pose* PumpkinModel::FindPose(std::uint64_t shape, std::uint64_t pose) {
    Shape* found = FindShape(shape);
    return found ? At(found->poses, pose) : nullptr;
}

const Pose* PumpkinModel::FindPose(std::uint64_t shape, std::uint64_t pose) const {
    const Shape* found = FindShape(shape);
    return found ? At(found->poses, pose) : nullptr;
}

const Knob* PumpkinModel::FindKnob(const KnobKey& key) const {
    const auto found = std::find_if(knobs_.begin(), knobs_.end(),
                                    [&](const Knob& knob) { return knob.key == key; });
    return found == knobs_.end() ? nullptr : &*found;
}

bool PumpkinModel::AddKnob(const Knob& knob) {
    if (HasKnob(knob.key)) {
        return false;
    }
    knobs_.push_back(knob);
    return true;
}

bool PumpkinModel::SetPoseKnob(std::uint64_t shape, std::uint64_t pose, const KnobKey& key) {
    Pose* found = FindPose(shape, pose);
    if (!found) {
        return false;
    }
    found->key = key;
    return true;
}

bool PumpkinModel::DeleteKnob(const KnobKey& key) {
    return std::erase_if(knobs_, [&](const Knob& knob) { return knob.key == key; }) != 0;
}

bool PumpkinModel::DeletePose(std::uint64_t shape, std::uint64_t pose) {
    Shape* found = FindShape(shape);
    if (!found || pose >= found->poses.size()) {
        return false;
    }
    found->poses.erase(found->poses.begin() + static_cast<std::ptrdiff_t>(pose));
    return true;
}

void PumpkinModel::DeletePoint(std::uint64_t shape, std::uint64_t point) {
    Shape* found = FindShape(shape);
    if (!found) {
        return;
    }
    for (Pose& pose : found->poses) {
        if (point < pose.points.size()) {
            pose.points.erase(pose.points.begin() + static_cast<std::ptrdiff_t>(point));
        }
    }
}

bool PumpkinModel::DeleteShape(std::uint64_t shape) {
    if (shape >= shapes_.size()) {
        return false;
    }
    shapes_.erase(shapes_.begin() + static_cast<std::ptrdiff_t>(shape));
    return true;
}

CanvasSize PumpkinModel::GetCanvasSize() const {
    return VideoSize;
}

Knob PumpkinModel::GetKnob(const KnobKey& key) const {
    const Knob* found = FindKnob(key);
    return found ? *found : Knob{};
}

std::vector<Knob> PumpkinModel::GetKnobs() const {
    return knobs_;
}

std::vector<Knob> PumpkinModel::GetStandardKnobs() const {
    return StandardKnobs();
}

std::vector<EvaluatedShape> PumpkinModel::EvaluateFrame(const KnobValues& values) const {
    const Rgba candle = CandleColorOf(values);
    const Rgba black{0.0f, 0.0f, 0.0f, 1.0f};
    std::vector<EvaluatedShape> result;
    result.reserve(shapes_.size());
    for (const Shape& shape : shapes_) {
        result.push_back({shape.illumination == Shape::CandleColor ? candle : black,
                          ShapeOutline(shape, values)});
    }
    return result;
}

std::vector<Point> PumpkinModel::GetPosePoints(std::uint64_t shape, std::uint64_t pose) const {
    const Pose* found = FindPose(shape, pose);
    return found ? found->points : std::vector<Point>{};
}

std::uint64_t PumpkinModel::GetPoseCount(std::uint64_t shape) const {
    const Shape* found = FindShape(shape);
    return found ? found->poses.size() : 0;
}

KnobKey PumpkinModel::GetPoseKnobKey(std::uint64_t shape, std::uint64_t pose) const {
    const Shape* found = FindShape(shape);
    if (!found) {
        return KnobKey("???");
    }
    return pose < found->poses.size() ? found->poses[pose].key : KnobKey("NO POSE");
}

std::string PumpkinModel::GetPoseName(std::uint64_t shape, std::uint64_t pose) const {
    if (pose == 0) {
        return "Base";
    }
    const Knob* knob = FindKnob(GetPoseKnobKey(shape, pose));
    return knob ? knob->name : "???";
}

Shape PumpkinModel::GetShape(std::uint64_t shape) const {
    const Shape* found = FindShape(shape);
    return found ? *found : Shape{Shape::CandleColor, {}, {}};
}

std::uint64_t PumpkinModel::GetShapeCount() const {
    return shapes_.size();
}

std::uint32_t PumpkinModel::GetShapeIllumination(std::uint64_t shape) const {
    const Shape* found = FindShape(shape);
    return found ? found->illumination : 0;
}

std::string PumpkinModel::GetShapeName(std::uint64_t shape) const {
    const Shape* found = FindShape(shape);
    return found ? found->name : "Nonexistent Shape";
}

bool PumpkinModel::HasKnob(const KnobKey& key) const {
    return FindKnob(key) != nullptr;
}

bool PumpkinModel::InsertPoint(std::uint64_t shape, std::uint64_t index, Point point) {
    Shape* found = FindShape(shape);
    if (!found || found->poses.empty() || index > found->poses.front().points.size()) {
        return false;
    }
    for (Pose& pose : found->poses) {
        // A pose shorter than the index (only from a file or a short
        // InsertPose) is left as it is: DeletePoint skips it as well, so
        // inserting and deleting the point stay exact inverses.
        if (index <= pose.points.size()) {
            pose.points.insert(pose.points.begin() + static_cast<std::ptrdiff_t>(index), point);
        }
    }
    return true;
}

bool PumpkinModel::InsertPose(std::uint64_t shape, std::uint64_t index, const KnobKey& key,
                              const std::vector<Point>& points) {
    Shape* found = FindShape(shape);
    if (!found || index > found->poses.size()) {
        return false;
    }
    found->poses.insert(found->poses.begin() + static_cast<std::ptrdiff_t>(index),
                        Pose{key, points});
    return true;
}

bool PumpkinModel::InsertShape(std::uint64_t index, const Shape& shape) {
    if (index > shapes_.size()) {
        return false;
    }
    shapes_.insert(shapes_.begin() + static_cast<std::ptrdiff_t>(index), shape);
    return true;
}

bool PumpkinModel::InsertNewShape(std::uint64_t index) {
    return InsertShape(index, Shape{Shape::CandleColor, "Shape " + std::to_string(index), {}});
}

Point PumpkinModel::SetPoint(std::uint64_t shape, std::uint64_t pose, std::uint64_t index,
                             Point point) {
    Pose* found = FindPose(shape, pose);
    Point* target = found ? At(found->points, index) : nullptr;
    if (!target) {
        return point;
    }
    return std::exchange(*target, point);
}

bool PumpkinModel::MovePose(std::uint64_t shape, std::uint64_t pose, float dx, float dy) {
    Pose* found = FindPose(shape, pose);
    if (!found) {
        return false;
    }
    MovePoints(found->points, dx, dy);
    return true;
}

bool PumpkinModel::MoveShape(std::uint64_t shape, float dx, float dy) {
    Shape* found = FindShape(shape);
    if (!found) {
        return false;
    }
    for (Pose& pose : found->poses) {
        MovePoints(pose.points, dx, dy);
    }
    return true;
}

bool PumpkinModel::SetShapeIllumination(std::uint64_t shape, std::uint32_t illumination) {
    Shape* found = FindShape(shape);
    if (!found) {
        return false;
    }
    found->illumination = illumination;
    return true;
}

bool PumpkinModel::SetShapeName(std::uint64_t shape, const std::string& name) {
    Shape* found = FindShape(shape);
    if (!found) {
        return false;
    }
    found->name = name;
    return true;
}

} // namespace vel::lumo
