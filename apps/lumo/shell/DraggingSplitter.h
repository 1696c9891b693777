#pragma once

#include "wingui/DragState.h"

#include <QCursor>
#include <functional>

namespace vel::lumo {

// A drag of the vertical splitter, the horizontal one or their crossing: the
// grabbed splits follow the mouse exactly and the window is laid out anew
// after each move; cancel puts the splits back.
class DraggingSplitter : public wingui::Dragging {
public:
    DraggingSplitter(QWidget* window, int* xSplit, int* ySplit, std::function<void()> relayout);
    ~DraggingSplitter() override;

    // The sizing cursor for the grabbed combination.
    static Qt::CursorShape CursorFor(bool vertical, bool horizontal);

    void OnCancel() override;
    void OnLButtonUp(QPoint p) override;
    void OnMouseMove(QPoint p) override;

private:
    QWidget* window_;
    QCursor previousCursor_;
    int* xSplit_;
    int* ySplit_;
    int xStart_;
    int yStart_;
    std::function<void()> relayout_;
};

} // namespace vel::lumo
