#pragma once

class QMessageBox;

namespace vel::wingui {

// Widens a message box with a short text so that the window manager's title
// bar shows the whole caption beside its icon and buttons. Call it once the
// box has its caption, text and buttons.
void MakeRoomForCaption(QMessageBox& box);

} // namespace vel::wingui
