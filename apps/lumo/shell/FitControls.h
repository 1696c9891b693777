#pragma once

#include "apps/lumo/shell/FitHandleLayer.h"
#include "apps/lumo/shell/ShowLayer.h"
#include "wingui/DragController.h"

namespace vel::lumo {

class LumoDocument;
class PaneHost;

// The show window's keys and mouse for fitting the face to the pumpkin, in
// front of the window's own: F shows or hides the handles; while they show,
// a drag moves one, Tab and Shift+Tab select the next or the one before,
// the arrows move the selected one a pixel of the screen (ten with Shift),
// G switches the grid and R resets the fit, each one undoable step. T and W
// show the test pattern and the white screen, and any key brings the face
// back. Undo, redo and save go to the editor, so that they work as its own.
class FitControls : public ShowLayer {
public:
    // Pixels an arrow key moves a handle, with Shift held.
    static constexpr int LargeStep = 10;

    // The document must outlive the controls; editor takes the commands.
    FitControls(QWidget* window, LumoDocument* document, PaneHost* editor);

    const FitHandleLayer& Layer() const { return layer_; }
    bool IsDragging() const { return drag_.IsDragging(); }

    bool OnKey(QKeyEvent& event) override;
    bool OnMouse(QMouseEvent& event) override;
    void Paint(QPainter& painter, const QRect& picture) override;

private:
    bool OnEditorKey(const QKeyEvent& event);
    bool OnHandleKey(const QKeyEvent& event);
    void Nudge(QPoint direction, int pixels);
    // A press on a handle takes it and starts dragging it.
    bool OnLButtonDown(const QMouseEvent& event);

    QWidget* window_;
    LumoDocument* document_;
    PaneHost* editor_;
    // Where the picture was drawn last, and so the handles the user sees.
    FitOnScreen place_;
    FitHandleLayer layer_;
    wingui::DragController drag_;
};

} // namespace vel::lumo
