#pragma once

#include "apps/lumo/model/LiveKnobs.h"
#include "apps/lumo/panes/Pane.h"
#include "apps/lumo/panes/PreviewHitTest.h"
#include "apps/lumo/panes/PreviewPhoto.h"
#include "apps/lumo/panes/PreviewZoom.h"
#include "apps/lumo/panes/ViewWithSelection.h"
#include "graphics/Graphics.h"
#include "wingui/ButtonBarTarget.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace vel::lumo {

// The large pane that shows the pumpkin at the current frame, where shapes are
// drawn and reshaped with the mouse.
class PreviewWnd : public Pane,
                   public ViewWithSelection,
                   public wingui::ButtonBarTarget,
                   private LiveKnobs::Watcher {
public:
    PreviewWnd(QWidget* parent, PaneHost* host);

    uint32_t GetFrame() const { return frame_; }
    // The main window's frame cursor; repaints when it moved.
    void SetFrame(uint32_t frame);

    // Draws the face with these knobs over the timeline's; none draws the
    // timeline alone. The knobs must outlive the pane or be taken away.
    void WatchLiveKnobs(LiveKnobs* knobs);

    // What lies under a client position.
    PreviewHit HitTest(QPoint position) const;
    // The model point under a client position, at the zoom shown.
    Point ClientToModel(QPoint position) const;

    const PreviewZoom& Zoom() const { return zoom_; }
    // Shows the picture at that zoom.
    void SetZoom(const PreviewZoom& zoom);
    // Zooms by the factor, keeping the model point under the client position.
    void ZoomAt(QPoint position, double factor);
    // Shows the picture at `from` moved by a distance in client pixels.
    void Pan(const PreviewZoom& from, QPoint distance);
    // Shows the whole picture again.
    void FitPreview() { SetZoom(PreviewZoom()); }
    // Whether the document's photo to trace shows behind the shapes; a view
    // setting of this pane, not part of the document.
    bool IsPhotoShown() const { return photoShown_; }
    void ShowPhoto(bool shown);
    // Delete Web, Delete Shape and the two illuminations, on the selected shape.
    void OnCommand(std::uint32_t id);

    void OnDocumentChange(Document* document, uint32_t changes) override;
    void OnBarCommand(std::uint32_t commandId) override { OnCommand(commandId); }
    // A joystick drags the selected shape from its first point.
    std::unique_ptr<wingui::DragState> OnVirtJoystick(std::uint32_t commandId,
                                                      QPoint& virtualPosition) override;

protected:
    // Another document is shown whole.
    void OnAttach() override;
    void OnLButtonDown(QMouseEvent* event) override;
    void OnRButtonDown(QMouseEvent* event) override;
    void OnMButtonDown(QMouseEvent* event) override;
    PaneHint HintAt(QPoint position, HintKeys keys) const override;
    bool OnKeyDown(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void OnLiveKnobsChange() override { update(); }
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
    // Model point where the whole picture would show the client position.
    Point ClientToShown(QPoint position) const;
    std::vector<Point> Shown(std::vector<Point> points) const;
    void DrawEmptyHint(graphics::Frame& frame) const;
    // The document has a photo to trace and it shows.
    bool HasPhotoShown() const;
    void DrawPhoto(graphics::Frame& frame);
    // [ and ] make the photo fainter and stronger by a step.
    void StepPhotoOpacity(int steps);

    uint32_t frame_ = 0;
    LiveKnobs::Watching live_;
    std::uint64_t pointIndex_ = 0;
    PreviewZoom zoom_;
    graphics::Graphics graphics_;
    graphics::Surface surface_;
    PreviewPhoto photo_;
    bool photoShown_ = true;
};

} // namespace vel::lumo
