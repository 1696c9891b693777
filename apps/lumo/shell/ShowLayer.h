#pragma once

class QKeyEvent;
class QMouseEvent;
class QPainter;
class QRect;

namespace vel::lumo {

// Something put in front of the show window's own handling: it sees every key
// and mouse event first and draws over the face. A layer answers whether it
// used the event; an event it leaves goes on to the window, which ends,
// pauses or ignores it.
class ShowLayer {
public:
    virtual ~ShowLayer() = default;

    virtual bool OnKey(QKeyEvent& event) = 0;
    // Presses, moves and releases alike.
    virtual bool OnMouse(QMouseEvent& event) = 0;
    // After the face, on the whole window; picture is where the face shows.
    virtual void Paint(QPainter& painter, const QRect& picture) = 0;

protected:
    ShowLayer() = default;
    ShowLayer(const ShowLayer&) = default;
    ShowLayer& operator=(const ShowLayer&) = default;
};

} // namespace vel::lumo
