#pragma once

#include <string>

class QWidget;

namespace vel::lumo {

// Tells the user that the video at file is ready without waiting for an
// answer: a notice over owner naming the file, with a button that opens its
// folder; while the user is away in another program, a desktop notification
// instead where the desktop has notify-send (else the notice, to find on
// return).
void AnnounceVideo(QWidget* owner, const std::string& file, bool userAway);

} // namespace vel::lumo
