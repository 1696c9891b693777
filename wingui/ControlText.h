#pragma once

#include <string>

class QWidget;

namespace vel::wingui {

// Text of a dialog control by its kind. A check box shows "true" as its check
// mark (any text beginning with "t" checks it) and reads back "true" or
// "false"; a combo box selects its first item that begins with the text
// (ignoring case) and reads back the selected item; edits and labels carry the
// text itself.
void ShowControlText(QWidget* control, const std::string& text);
std::string ReadControlText(const QWidget* control);

} // namespace vel::wingui
