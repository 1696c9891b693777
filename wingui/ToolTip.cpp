#include "wingui/ToolTip.h"

#include <QHelpEvent>
#include <QToolTip>

namespace vel::wingui {

void ShowToolTip(QHelpEvent* event, QWidget* widget, const QString& tip, QRect area) {
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    QToolTip::showText(event->globalPos(), tip, widget, area);
}

} // namespace vel::wingui
