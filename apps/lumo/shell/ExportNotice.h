#pragma once

#include <string>

class QWidget;

namespace vel::lumo {

// Tells the user that the video at file is ready without waiting for an
// answer. Over the active window: a notice naming the file, with a button
// that opens its folder. While the user works in another window: a desktop
// notification where the desktop has notify-send, else the same notice, to
// find on return.
void AnnounceVideo(QWidget* owner, const std::string& file);

} // namespace vel::lumo
