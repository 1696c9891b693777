#pragma once

#include "apps/lumo/panes/Pane.h"
#include "apps/lumo/panes/ViewWithSelection.h"
#include "graphics/Graphics.h"

#include <cstdint>
#include <string>

namespace vel::wingui {
class InplaceEditBox;
}

namespace vel::lumo {

// What lies under a point of the shapes pane.
struct ShapeHit {
    bool onShape = false;
    std::uint64_t shape = 0;
    bool onNewShape = false;
    bool onPose = false;
    std::uint64_t pose = 0;
    bool onNewPose = false;
    bool inColumn1 = false; // the edited-pose mark
    bool inColumn2 = false; // the reference-pose mark
};

// The shapes of the pumpkin in one column and the poses of the selected shape
// in another.
class ShapeWnd : public Pane, public ViewWithSelection {
public:
    ShapeWnd(QWidget* parent, PaneHost* host);

    ShapeHit HitTest(QPoint position) const;
    // Rename Shape, Delete Shape, Delete Pose and the knob choices, on the
    // selected shape and its edited pose.
    void OnCommand(std::uint32_t id);

    void OnDocumentChange(Document* document, uint32_t changes) override;

    // Where lines and columns lie, for whoever needs to point at them.
    float LineHeight() const { return lineHeight_; }
    float GlyphWidth() const { return glyph_.width; }
    QPoint ShapeLine(std::uint64_t shape) const;
    QPoint PoseLine(std::uint64_t pose, int column) const;

protected:
    void OnLButtonDown(QMouseEvent* event) override;
    void OnRButtonDown(QMouseEvent* event) override;
    PaneHint HintAt(QPoint position, HintKeys keys) const override;
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint64_t ShapeCount() const;
    ShapesPlace PlaceAt(QPoint position) const;
    bool HasShapeSelected() const;
    float PosesLeft() const;
    float LineTop(std::uint64_t line) const;
    // What a command acts on: a shape, and one of its poses.
    struct Target {
        std::uint64_t shape;
        std::uint64_t pose;
    };

    // The selection a click on the hit line makes; false when it is on no line.
    bool SelectLine(const ShapeHit& hit);
    void Run(std::uint32_t id, Target target);
    // Whether the target is a pose other than the base pose.
    bool IsKnobPose(Target target) const;
    void ChooseNewPose();
    void ChooseKnob(Target target, std::uint32_t offset);
    void BeginRename(std::uint64_t shape);
    void EndRename();
    void DrawColumns(graphics::Frame& frame) const;
    void DrawPoses(graphics::Frame& frame) const;

    graphics::Graphics graphics_;
    graphics::Surface surface_;
    graphics::Font textFont_;
    graphics::Font glyphFont_;
    graphics::SizeF glyph_;
    graphics::SizeF text_;
    float lineHeight_ = 0;
    float glyphOffset_ = 0;
    wingui::InplaceEditBox* editBox_;
    std::uint64_t renaming_ = 0;
};

} // namespace vel::lumo
