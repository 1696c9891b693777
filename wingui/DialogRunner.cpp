#include "wingui/DialogRunner.h"

#include <QDialog>

namespace vel::wingui {

namespace {

class ModalDialogRunner : public DialogRunner {
public:
    int Run(QDialog& dialog) override { return dialog.exec(); }
};

ModalDialogRunner modalRunner;
DialogRunner* runner = &modalRunner;

} // namespace

int DialogRunner::Exec(QDialog& dialog) {
    return runner->Run(dialog);
}

DialogRunner* DialogRunner::SetRunner(DialogRunner* replacement) {
    DialogRunner* previous = runner;
    runner = replacement ? replacement : &modalRunner;
    return previous == &modalRunner ? nullptr : previous;
}

} // namespace vel::wingui
