#pragma once

class QWidget;

namespace vel::lumo {

class LumoDocument;

// The Export Video command: asks for the options, writes the video on a
// worker thread while a modal progress dialog over owner shows how far it
// has come and offers Cancel, and reports a failure in one message box. The
// editor keeps painting meanwhile; the document is only read, and only at the
// start. Answers 1 when a video was written, 0 otherwise (no document, the
// dialog cancelled, nothing to export, the export cancelled or failed).
int ExportVideo(QWidget* owner, const LumoDocument* document);

} // namespace vel::lumo
