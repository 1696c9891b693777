#pragma once

#include <QMessageBox>
#include <QString>

namespace vel::wingui {

// A message with one OK button, owned by the window and shown through the
// dialog runner.
void ShowMessageBox(QWidget* owner, const QString& caption, QMessageBox::Icon icon,
                    const QString& text);

} // namespace vel::wingui
