#pragma once

#include <QPoint>
#include <QPointer>
#include <QWidget>

namespace vel::wingui {

// One mouse gesture of a window. A window owns exactly one state at a time and
// forwards its mouse, timer and cancel events to it.
class DragState {
public:
    virtual ~DragState() = default;
    virtual bool IsDragging() const = 0;
    virtual void OnCancel() = 0;
    virtual void OnLButtonUp(QPoint p) = 0;
    virtual void OnMouseMove(QPoint p) = 0;
    virtual void OnTimer() {}
    // Lets go of the mouse as the gesture ends, before whatever its end sets
    // off runs: a modal dialog opened then must get the pointer.
    virtual void ReleaseMouse() {}
};

// The idle state.
class NotDragging final : public DragState {
public:
    bool IsDragging() const override { return false; }
    void OnCancel() override {}
    void OnLButtonUp(QPoint) override {}
    void OnMouseMove(QPoint) override {}
};

// Base of every active gesture: the window keeps the mouse for as long as the
// gesture lives, so moves outside it still arrive.
class Dragging : public DragState {
public:
    explicit Dragging(QWidget* window);
    ~Dragging() override;
    Dragging(const Dragging&) = delete;
    Dragging& operator=(const Dragging&) = delete;

    bool IsDragging() const override { return true; }
    void ReleaseMouse() override;

private:
    QPointer<QWidget> window_;
};

} // namespace vel::wingui
