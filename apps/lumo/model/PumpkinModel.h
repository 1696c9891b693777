#pragma once

#include "apps/lumo/model/Model.h"

namespace vel::lumo {

// The in-memory model: knobs in the order they were added and shapes in
// drawing order (a later shape is drawn over an earlier one). A new model
// holds the three candle knobs and no shapes.
class PumpkinModel final : public Model {
public:
    PumpkinModel();

    std::unique_ptr<Model> Clone() const override;
    bool AddKnob(const Knob& knob) override;
    bool SetPoseKnob(std::uint64_t shape, std::uint64_t pose, const KnobKey& key) override;
    bool DeleteKnob(const KnobKey& key) override;
    bool DeletePose(std::uint64_t shape, std::uint64_t pose) override;
    void DeletePoint(std::uint64_t shape, std::uint64_t point) override;
    bool DeleteShape(std::uint64_t shape) override;
    CanvasSize GetCanvasSize() const override;
    Knob GetKnob(const KnobKey& key) const override;
    std::vector<Knob> GetKnobs() const override;
    std::vector<Knob> GetStandardKnobs() const override;
    std::vector<EvaluatedShape> EvaluateFrame(const KnobValues& values) const override;
    std::vector<Point> GetPosePoints(std::uint64_t shape, std::uint64_t pose) const override;
    std::uint64_t GetPoseCount(std::uint64_t shape) const override;
    KnobKey GetPoseKnobKey(std::uint64_t shape, std::uint64_t pose) const override;
    std::string GetPoseName(std::uint64_t shape, std::uint64_t pose) const override;
    Shape GetShape(std::uint64_t shape) const override;
    std::uint64_t GetShapeCount() const override;
    std::uint32_t GetShapeIllumination(std::uint64_t shape) const override;
    std::string GetShapeName(std::uint64_t shape) const override;
    bool HasKnob(const KnobKey& key) const override;
    bool InsertPoint(std::uint64_t shape, std::uint64_t index, Point point) override;
    bool InsertPose(std::uint64_t shape, std::uint64_t index, const KnobKey& key,
                    const std::vector<Point>& points) override;
    bool InsertShape(std::uint64_t index, const Shape& shape) override;
    bool InsertNewShape(std::uint64_t index) override;
    Point SetPoint(std::uint64_t shape, std::uint64_t pose, std::uint64_t index,
                   Point point) override;
    bool MovePose(std::uint64_t shape, std::uint64_t pose, float dx, float dy) override;
    bool MoveShape(std::uint64_t shape, float dx, float dy) override;
    bool SetShapeIllumination(std::uint64_t shape, std::uint32_t illumination) override;
    bool SetShapeName(std::uint64_t shape, const std::string& name) override;

private:
    Shape* FindShape(std::uint64_t shape);
    const Shape* FindShape(std::uint64_t shape) const;
    Pose* FindPose(std::uint64_t shape, std::uint64_t pose);
    const Pose* FindPose(std::uint64_t shape, std::uint64_t pose) const;
    const Knob* FindKnob(const KnobKey& key) const;

    std::vector<Knob> knobs_;
    std::vector<Shape> shapes_;
};

} // namespace vel::lumo
