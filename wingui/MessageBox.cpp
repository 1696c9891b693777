#include "wingui/MessageBox.h"

#include "wingui/CaptionRoom.h"
#include "wingui/DialogRunner.h"

namespace vel::wingui {

void ShowMessageBox(QWidget* owner, const QString& caption, QMessageBox::Icon icon,
                    const QString& text) {
    QMessageBox box(icon, caption, text, QMessageBox::Ok, owner);
    // Paths are shown as they are, never read as markup.
    box.setTextFormat(Qt::PlainText);
    MakeRoomForCaption(box);
    DialogRunner::Exec(box);
}

} // namespace vel::wingui
