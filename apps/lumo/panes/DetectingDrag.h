#pragma once

#include "wingui/DragState.h"

#include <functional>

namespace vel::lumo {

// A press that is not yet a drag: once the mouse moves the system's drag
// distance away it becomes one (the handler installs the real drag and hands
// it the position); released before that, it was a click.
class DetectingDrag : public wingui::Dragging {
public:
    DetectingDrag(QWidget* pane, QPoint press, std::function<void(QPoint)> onDrag,
                  std::function<void()> onClick);

    void OnMouseMove(QPoint p) override;
    void OnLButtonUp(QPoint p) override;
    void OnCancel() override {}

private:
    QPoint press_;
    std::function<void(QPoint)> onDrag_;
    std::function<void()> onClick_;
};

} // namespace vel::lumo
