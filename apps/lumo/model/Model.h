#pragma once

#include "apps/lumo/model/EvaluatedShape.h"
#include "apps/lumo/model/Knob.h"
#include "apps/lumo/model/KnobValues.h"
#include "apps/lumo/model/Shape.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace vel::lumo {

struct CanvasSize {
    std::uint32_t width = 0;
    std::uint32_t height = 0;

    friend bool operator==(const CanvasSize&, const CanvasSize&) = default;
};

// The pictures of the pumpkin model and of the videos made from it.
inline constexpr CanvasSize VideoSize{1920, 1080};

// The drawing of one pumpkin face: its knobs and its shapes with their poses
// and points. Every operation checks its indexes; a bad index or a missing
// key yields false, an empty result or a fixed placeholder, never an
// exception. The model knows nothing of time: the timeline computes the
// knob values of a frame and hands them to EvaluateFrame.
class Model {
public:
    virtual ~Model() = default;

    // A deep copy owned by the caller, sharing nothing with this model.
    virtual std::unique_ptr<Model> Clone() const = 0;
    // False when a knob with the same key exists; otherwise appends a copy.
    virtual bool AddKnob(const Knob& knob) = 0;
    virtual bool SetPoseKnob(std::uint64_t shape, std::uint64_t pose, const KnobKey& key) = 0;
    // Poses that name the knob are left alone; they stop having an effect.
    virtual bool DeleteKnob(const KnobKey& key) = 0;
    // Pose 0 may go too; pose 1 then becomes the base pose.
    virtual bool DeletePose(std::uint64_t shape, std::uint64_t pose) = 0;
    // Removes the point from every pose long enough to have it.
    virtual void DeletePoint(std::uint64_t shape, std::uint64_t point) = 0;
    virtual bool DeleteShape(std::uint64_t shape) = 0;
    virtual CanvasSize GetCanvasSize() const = 0;
    // An all-zero knob with intent Interpolate when the key is unknown.
    virtual Knob GetKnob(const KnobKey& key) const = 0;
    virtual std::vector<Knob> GetKnobs() const = 0;
    virtual std::vector<Knob> GetStandardKnobs() const = 0;
    // One evaluated shape per shape, in drawing order.
    virtual std::vector<EvaluatedShape> EvaluateFrame(const KnobValues& values) const = 0;
    virtual std::vector<Point> GetPosePoints(std::uint64_t shape, std::uint64_t pose) const = 0;
    virtual std::uint64_t GetPoseCount(std::uint64_t shape) const = 0;
    // "???" for an invalid shape, "NO POSE" for a valid shape and an invalid pose.
    virtual KnobKey GetPoseKnobKey(std::uint64_t shape, std::uint64_t pose) const = 0;
    // "Base" for pose 0, else the name of the pose's knob, or "???".
    virtual std::string GetPoseName(std::uint64_t shape, std::uint64_t pose) const = 0;
    // A lit, unnamed shape without poses for an invalid index.
    virtual Shape GetShape(std::uint64_t shape) const = 0;
    virtual std::uint64_t GetShapeCount() const = 0;
    virtual std::uint32_t GetShapeIllumination(std::uint64_t shape) const = 0;
    // "Nonexistent Shape" for an invalid index.
    virtual std::string GetShapeName(std::uint64_t shape) const = 0;
    virtual bool HasKnob(const KnobKey& key) const = 0;
    // Inserts the same point before position index in every pose; the index
    // is checked against the base pose.
    virtual bool InsertPoint(std::uint64_t shape, std::uint64_t index, Point point) = 0;
    virtual bool InsertPose(std::uint64_t shape, std::uint64_t index, const KnobKey& key,
                            const std::vector<Point>& points) = 0;
    virtual bool InsertShape(std::uint64_t index, const Shape& shape) = 0;
    // A lit shape named "Shape <index>" without poses.
    virtual bool InsertNewShape(std::uint64_t index) = 0;
    // Returns the point that was replaced, or the given point when any index
    // is invalid, so that a second call undoes the first.
    virtual Point SetPoint(std::uint64_t shape, std::uint64_t pose, std::uint64_t index,
                           Point point) = 0;
    virtual bool MovePose(std::uint64_t shape, std::uint64_t pose, float dx, float dy) = 0;
    virtual bool MoveShape(std::uint64_t shape, float dx, float dy) = 0;
    virtual bool SetShapeIllumination(std::uint64_t shape, std::uint32_t illumination) = 0;
    virtual bool SetShapeName(std::uint64_t shape, const std::string& name) = 0;

protected:
    Model() = default;
    Model(const Model&) = default;
    Model& operator=(const Model&) = default;
};

} // namespace vel::lumo
