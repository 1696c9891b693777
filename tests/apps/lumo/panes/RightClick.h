#pragma once

#include <QTest>
#include <QWidget>

namespace vel::lumo::test {

// A right click as the window system delivers it: the press goes through the
// pane's window to the pane, whether or not it has the focus, and the window
// then asks the pane for its context menu.
inline void RightClickThroughWindow(QWidget* pane, QPoint p) {
    QWidget* top = pane->window();
    QTest::mouseClick(top->windowHandle(), Qt::RightButton, {}, pane->mapTo(top, p));
}

} // namespace vel::lumo::test
