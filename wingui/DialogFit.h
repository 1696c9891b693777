#pragma once

#include <QRect>

class QWidget;

namespace vel::wingui {

// Moves everything the dialog shows but its buttons into a scrolling page
// above them, so that the dialog can be made smaller than its fields while
// the buttons stay in view. Works for fields in a layout and for fields
// placed by hand.
void ScrollFieldsAboveButtons(QWidget& dialog, QWidget& buttons);

// The rectangle moved as little as needed to lie inside the area (its
// top-left corner wins where it is larger).
QRect KeptInside(const QRect& rect, const QRect& area);

} // namespace vel::wingui
