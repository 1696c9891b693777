#pragma once

#include <QRect>
#include <QString>

class QHelpEvent;
class QWidget;

namespace vel::wingui {

// Answers a tooltip event of a widget that shows different tips in
// different places: shows the tip while the mouse stays in the area (the
// whole widget for an empty area), or hides any tip for an empty text.
void ShowToolTip(QHelpEvent* event, QWidget* widget, const QString& tip, QRect area = {});

} // namespace vel::wingui
