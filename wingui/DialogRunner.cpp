#include "wingui/DialogRunner.h"

#include "wingui/RunnerSeam.h"

#include <QDialog>

namespace vel::wingui {

namespace {

class ModalDialogRunner : public DialogRunner {
public:
    int Run(QDialog& dialog) override { return dialog.exec(); }
};

RunnerSeam<DialogRunner, ModalDialogRunner> runner;

} // namespace

int DialogRunner::Exec(QDialog& dialog) {
    return runner.Get().Run(dialog);
}

DialogRunner* DialogRunner::SetRunner(DialogRunner* replacement) {
    return runner.Set(replacement);
}

} // namespace vel::wingui
