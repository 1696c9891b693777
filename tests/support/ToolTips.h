#pragma once

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace vel::testing {

// Rests the mouse on the widget at p until it asks for a tooltip; answers
// the tip it shows there, or nothing when it shows none.
inline QString ToolTipAt(QWidget* widget, QPoint p) {
    QHelpEvent event(QEvent::ToolTip, p, widget->mapToGlobal(p));
    QApplication::sendEvent(widget, &event);
    return event.isAccepted() && QToolTip::isVisible() ? QToolTip::text() : QString();
}

} // namespace vel::testing
