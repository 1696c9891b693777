#pragma once

#include <chrono>
#include <string>

class QWidget;

namespace vel::lumo {

class AnimateDlg;
class LumoDocument;

// One command of the Animate menu once its dialog has been filled: makes
// the keys on a worker thread, with the progress dialog and its Cancel when
// the work takes longer than showProgressAfter, then applies them as one
// undoable step. A cancelled run changes nothing. Answers what happened, for
// the status bar: the method used and any warning, or an empty text when
// nothing changed.
std::string RunAnimation(QWidget* owner, LumoDocument& document, const AnimateDlg& dialog,
                         std::chrono::milliseconds showProgressAfter);

// Shows the dialog over owner and, on OK, runs it as above.
std::string AnimateFromDialog(QWidget* owner, LumoDocument& document, AnimateDlg& dialog);

} // namespace vel::lumo
