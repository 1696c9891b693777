#include "wingui/ButtonDragging.h"

#include "wingui/ButtonBar.h"

namespace vel::wingui {

namespace {
constexpr int kFirstTickMs = 0;
}

DraggingPushButton::DraggingPushButton(ButtonBar& bar, Button& button)
    : Dragging(&bar), bar_(bar), button_(button) {
    SetPressed(true);
}

void DraggingPushButton::SetPressed(bool pressed) {
    button_.pressed = pressed;
    bar_.update(button_.rect);
}

void DraggingPushButton::OnMouseMove(QPoint p) {
    const bool inside = button_.rect.contains(p);
    if (inside != button_.pressed) {
        SetPressed(inside);
    }
}

void DraggingPushButton::OnLButtonUp(QPoint p) {
    OnCancel();
    if (button_.rect.contains(p)) {
        Fire(p);
    }
}

void DraggingPushButton::OnCancel() {
    SetPressed(false);
}

void DraggingPushButton::Fire(QPoint p) {
    if (button_.rect.contains(p) && bar_.Target()) {
        bar_.Target()->OnBarCommand(button_.commandId);
    }
}

DraggingAutorepeat::DraggingAutorepeat(ButtonBar& bar, Button& button)
    : DraggingPushButton(bar, button) {
    StartTimer(kFirstTickMs);
}

DraggingAutorepeat::~DraggingAutorepeat() {
    KillTimer();
}

void DraggingAutorepeat::StartTimer(int intervalMs) {
    KillTimer();
    timer_ = Bar().startTimer(intervalMs, Qt::PreciseTimer);
}

void DraggingAutorepeat::KillTimer() {
    if (timer_ != 0) {
        Bar().killTimer(timer_);
    }
    timer_ = 0;
}

void DraggingAutorepeat::SwitchToRepeating() {
    StartTimer(Bar().Repeat().intervalMs);
    phase_ = 2;
}

void DraggingAutorepeat::OnTimer() {
    if (timer_ == 0) {
        return;
    }
    const QPoint p = Bar().CursorPos();
    switch (phase_) {
    case 0:
        Fire(p);
        StartTimer(Bar().Repeat().delayMs);
        phase_ = 1;
        break;
    case 1:
        Fire(p);
        SwitchToRepeating();
        break;
    default:
        Fire(p);
        break;
    }
}

// A click quicker than the first tick still fires once: the press fires, the
// release never does.
void DraggingAutorepeat::OnLButtonUp(QPoint p) {
    const bool notFiredYet = phase_ == 0;
    OnCancel();
    if (notFiredYet) {
        Fire(p);
    }
}

void DraggingAutorepeat::OnCancel() {
    SetPressed(false);
    KillTimer();
}

DraggingJoystick::DraggingJoystick(ButtonBar& bar, Button& button)
    : DraggingAutorepeat(bar, button) {
    const QRect& r = button.rect;
    const int right = r.left() + r.width();
    const int bottom = r.top() + r.height();
    centre_ = QPoint(r.left() + (right - r.left()) / 2, r.top() + (bottom - r.top()) / 2);
    if (bar.Target()) {
        handler_ = bar.Target()->OnVirtJoystick(button.commandId, virtualPosition_);
        // The parent's new gesture took the mouse; the bar keeps it, because
        // the joystick is still being held.
        if (handler_ && bar.isVisible()) {
            bar.grabMouse();
        }
    }
}

DraggingJoystick::~DraggingJoystick() {
    handler_.reset();
}

void DraggingJoystick::Fire(QPoint p) {
    if (!handler_) {
        return;
    }
    virtualPosition_ += p - centre_;
    handler_->OnMouseMove(virtualPosition_);
}

void DraggingJoystick::OnMouseMove(QPoint p) {
    if (Phase() != 1) {
        return;
    }
    Fire(p);
    SwitchToRepeating();
}

void DraggingJoystick::OnLButtonUp(QPoint) {
    if (handler_) {
        handler_->OnLButtonUp(virtualPosition_);
        handler_.reset();
    }
    OnCancel();
}

void DraggingJoystick::OnCancel() {
    DraggingAutorepeat::OnCancel();
    if (handler_) {
        handler_->OnCancel();
    }
}

} // namespace vel::wingui
