#pragma once

#include "apps/lumo/panes/Pane.h"
#include "apps/lumo/panes/PreviewHitTest.h"
#include "apps/lumo/panes/ViewWithSelection.h"
#include "graphics/Graphics.h"
#include "wingui/ButtonBarTarget.h"

#include <cstdint>
#include <functional>
#include <memory>

namespace vel::lumo {

// The large pane that shows the pumpkin at the current frame, where shapes are
// drawn and reshaped with the mouse.
class PreviewWnd : public Pane, public ViewWithSelection, public wingui::ButtonBarTarget {
public:
    PreviewWnd(QWidget* parent, PaneHost* host);

    uint32_t GetFrame() const { return frame_; }
    // The main window's frame cursor; repaints when it moved.
    void SetFrame(uint32_t frame);

    // What lies under a client position.
    PreviewHit HitTest(QPoint position) const;
    // Delete Web, Delete Shape and the two illuminations, on the selected shape.
    void OnCommand(std::uint32_t id);

    void OnDocumentChange(Document* document, uint32_t changes) override;
    void OnBarCommand(std::uint32_t commandId) override { OnCommand(commandId); }
    // A joystick drags the selected shape from its first point.
    std::unique_ptr<wingui::DragState> OnVirtJoystick(std::uint32_t commandId,
                                                      QPoint& virtualPosition) override;

protected:
    void OnLButtonDown(QMouseEvent* event) override;
    void OnRButtonDown(QMouseEvent* event) override;
    bool OnKeyDown(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    bool HasShapeSelected() const;
    // Runs a command on the target's shape, or on its web for Delete Web.
    void Run(std::uint32_t id, const PreviewHit& target);
    void Click(QPoint position, const PreviewHit& hit, bool shift, bool canDrag);
    // Starts drag detection: a drag installs the state that makeDrag makes.
    void DetectDrag(QPoint press, std::function<std::unique_ptr<wingui::DragState>()> makeDrag,
                    std::function<void()> onClick);
    void AddPoint(QPoint position);
    void DrawMarkers(graphics::Frame& frame, std::uint64_t pose, std::uint32_t color) const;
    void UpdateCursor(QPoint position, Qt::KeyboardModifiers modifiers);
    QPoint ModelToClient(Point model) const;

    uint32_t frame_ = 0;
    std::uint64_t pointIndex_ = 0;
    graphics::Graphics graphics_;
    graphics::Surface surface_;
};

} // namespace vel::lumo
