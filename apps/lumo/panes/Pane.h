#pragma once

#include "apps/lumo/document/View.h"
#include "apps/lumo/document/ViewRegistration.h"
#include "apps/lumo/panes/PaneHints.h"
#include "wingui/DragController.h"

#include <QWidget>
#include <memory>

namespace vel::lumo {

class LumoDocument;
class PaneHost;

// What every editing pane shares: the document it shows, registered as a view
// for as long as the pane shows it; the host it asks for frames and
// selections; and its one drag state, fed by the mouse, cancelled by Escape
// and by losing the mouse. Keys a pane does not use travel on to the main
// window, so the shortcuts work whichever pane has the focus.
class Pane : public QWidget, public View {
public:
    // Whether the left click that focuses the pane does anything else.
    enum class FocusClick { Eaten, Used };

    Pane(QWidget* parent, PaneHost* host, const QString& title, FocusClick focusClick);

    // Shows the document, or none; the pane then repaints from it.
    virtual void SetDocument(LumoDocument* document);
    // The document shown, or none once it has gone.
    LumoDocument* GetDocument() const;
    PaneHost* Host() const { return host_; }

    bool IsDragging() const { return drag_.IsDragging(); }
    // Abandons the gesture in progress, if any.
    void CancelMode() { drag_.CancelMode(); }

    void OnDocumentChange(Document* document, uint32_t changes) override;

    // Whether the keys go to this pane: it is its window's focus widget, also
    // while another window (a dialog, the help) has the focus, so that it is
    // active again as soon as its window gets the focus back.
    bool IsActive() const;

    // What the mouse would do at a client position with these keys held;
    // while the pane is not active, that its first click only activates it.
    PaneHint Hint(QPoint position, Qt::KeyboardModifiers modifiers) const;

protected:
    // Called after the document changed; repaints by default.
    virtual void OnAttach();
    virtual void OnLButtonDown(QMouseEvent* event);
    virtual void OnRButtonDown(QMouseEvent* event);
    virtual void OnMButtonDown(QMouseEvent* event);
    // The pane's own hint for a client position; none by default.
    virtual PaneHint HintAt(QPoint position, HintKeys keys) const;
    // Answers whether the pane used the key.
    virtual bool OnKeyDown(QKeyEvent* event);

    void SetDragState(std::unique_ptr<wingui::DragState> state) {
        drag_.SetState(std::move(state));
    }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool event(QEvent* event) override;

private:
    PaneHost* host_;
    FocusClick focusClick_;
    // The button whose release ends the gesture it started.
    Qt::MouseButton gestureButton_ = Qt::LeftButton;
    ViewRegistration registration_;
    wingui::DragController drag_;
};

} // namespace vel::lumo
