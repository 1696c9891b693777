#pragma once

class QDialog;

namespace vel::wingui {

// Shows a modal dialog and answers its result code. The default runs it
// modally; tests install one that answers at once.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    virtual int Run(QDialog& dialog) = 0;

    // Runs the dialog with the installed runner.
    static int Exec(QDialog& dialog);
    // Replaces the runner; null restores the modal one. Answers the previous
    // runner (null for the modal one).
    static DialogRunner* SetRunner(DialogRunner* runner);
};

} // namespace vel::wingui
