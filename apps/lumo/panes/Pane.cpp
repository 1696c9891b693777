#include "apps/lumo/panes/Pane.h"

#include "apps/lumo/document/LumoDocument.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vel::lumo {

Pane::Pane(QWidget* parent, PaneHost* host, const QString& title, FocusClick focusClick)
    : QWidget(parent), host_(host), focusClick_(focusClick) {
    setWindowTitle(title);
    setObjectName(title);
    // The pane takes the focus itself on a press, so that it can tell a
    // focusing click from one meant for it.
    setFocusPolicy(Qt::TabFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    // The status bar follows the mouse over every pane.
    setMouseTracking(true);
}

void Pane::SetDocument(LumoDocument* document) {
    drag_.CancelMode();
    registration_ = ViewRegistration(document, this);
    OnAttach();
}

LumoDocument* Pane::GetDocument() const {
    // Only a lumo document is ever registered here.
    return static_cast<LumoDocument*>(registration_.GetDocument());
}

void Pane::OnDocumentChange(Document*, uint32_t) {}

void Pane::OnAttach() {
    update();
}

void Pane::OnLButtonDown(QMouseEvent*) {}

void Pane::OnRButtonDown(QMouseEvent*) {}

void Pane::OnMButtonDown(QMouseEvent*) {}

PaneHint Pane::HintAt(QPoint, HintKeys) const {
    return {};
}

bool Pane::IsActive() const {
    return window()->focusWidget() == this;
}

PaneHint Pane::Hint(QPoint position, Qt::KeyboardModifiers modifiers) const {
    PaneHint hint =
        HintAt(position, {(modifiers & Qt::ShiftModifier) != 0, (modifiers & Qt::AltModifier) != 0,
                          (modifiers & Qt::ControlModifier) != 0});
    if (!IsActive() && focusClick_ == FocusClick::Eaten) {
        hint.text = ActivateHint(windowTitle().toLower().toStdString());
    }
    return hint;
}

bool Pane::OnKeyDown(QKeyEvent*) {
    return false;
}

void Pane::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
}

// The window system asks for the context menu right after the right press,
// so that press is never eaten: what it selects is what the menu acts on.
void Pane::mousePressEvent(QMouseEvent* event) {
    if (!hasFocus()) {
        const bool wasActive = IsActive();
        setFocus(Qt::MouseFocusReason);
        if (!wasActive && focusClick_ == FocusClick::Eaten && event->button() != Qt::RightButton) {
            return;
        }
    }
    if (!drag_.IsDragging()) {
        gestureButton_ = event->button();
    }
    if (event->button() == Qt::LeftButton) {
        OnLButtonDown(event);
    } else if (event->button() == Qt::RightButton) {
        OnRButtonDown(event);
    } else if (event->button() == Qt::MiddleButton) {
        OnMButtonDown(event);
    }
}

void Pane::keyPressEvent(QKeyEvent* event) {
    // An edit from the keyboard would change the model under the gesture,
    // whose drop or cancel would then write into the wrong shape.
    if (drag_.IsDragging()) {
        return;
    }
    if (!OnKeyDown(event)) {
        event->ignore();
    }
}

bool Pane::event(QEvent* event) {
    // A gesture that another button started ends with that button's release.
    if (event->type() == QEvent::MouseButtonRelease && drag_.IsDragging()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton && mouse->button() == gestureButton_) {
            drag_.LButtonUp(mouse->position().toPoint());
            return true;
        }
    }
    return drag_.Forward(*event) || QWidget::event(event);
}

} // namespace vel::lumo
