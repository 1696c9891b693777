#pragma once

#include "apps/lumo/dialogs/ExportChoices.h"

class QWidget;

namespace vel::lumo {

class LumoDocument;

// The Export Video command: asks for the options, starting from remembered
// and keeping them there for the next time, writes the video on a worker
// thread while a modal progress dialog over owner shows how far it has come
// and offers Cancel, then announces the video or reports a failure in one
// message box. The
// editor keeps painting meanwhile; the document is only read, and only at the
// start. Answers 1 when a video was written, 0 otherwise (no document, the
// dialog cancelled, nothing to export, the export cancelled or failed).
int ExportVideo(QWidget* owner, const LumoDocument* document, ExportChoices& remembered);

} // namespace vel::lumo
