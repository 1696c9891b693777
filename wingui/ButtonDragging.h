#pragma once

#include "wingui/Button.h"
#include "wingui/DragState.h"

#include <QPoint>
#include <memory>

namespace vel::wingui {

class ButtonBar;

// A push button held down: it looks pressed while the pointer is over it and
// fires once when released over it.
class DraggingPushButton : public Dragging {
public:
    DraggingPushButton(ButtonBar& bar, Button& button);

    void OnCancel() override;
    void OnLButtonUp(QPoint p) override;
    void OnMouseMove(QPoint p) override;
    virtual void Fire(QPoint p);

protected:
    ButtonBar& Bar() const { return bar_; }
    void SetPressed(bool pressed);

private:
    ButtonBar& bar_;
    Button& button_;
};

// A button that fires at once when pressed, again after the keyboard's repeat
// delay and then at its repeat rate until released.
class DraggingAutorepeat : public DraggingPushButton {
public:
    DraggingAutorepeat(ButtonBar& bar, Button& button);
    ~DraggingAutorepeat() override;

    void OnCancel() override;
    void OnLButtonUp(QPoint p) override;
    void OnTimer() override;

protected:
    int Phase() const { return phase_; }
    void SwitchToRepeating();
    void KillTimer();

private:
    void StartTimer(int intervalMs);

    int timer_ = 0;
    int phase_ = 0;
};

// A held button that acts as a virtual mouse on a drag state of the parent:
// every repeat moves the virtual position by the pointer's offset from the
// button's centre.
class DraggingJoystick : public DraggingAutorepeat {
public:
    DraggingJoystick(ButtonBar& bar, Button& button);
    ~DraggingJoystick() override;

    void OnCancel() override;
    void OnLButtonUp(QPoint p) override;
    void OnMouseMove(QPoint p) override;
    void Fire(QPoint p) override;

private:
    QPoint centre_;
    std::unique_ptr<DragState> handler_;
    QPoint virtualPosition_;
};

} // namespace vel::wingui
