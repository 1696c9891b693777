#include "apps/lumo/panes/PopupMenu.h"

#include "wingui/RunnerSeam.h"

#include <QMenu>

namespace vel::lumo {

namespace {

class ModalRunner : public PopupMenuRunner {
public:
    QAction* Run(QMenu& menu, QPoint globalPos) override { return menu.exec(globalPos); }
};

wingui::RunnerSeam<PopupMenuRunner, ModalRunner> runner;

} // namespace

PopupMenuRunner* PopupMenuRunner::SetRunner(PopupMenuRunner* replacement) {
    return runner.Set(replacement);
}

QAction* PopupMenuRunner::Show(QMenu& menu, QPoint globalPos) {
    return runner.Get().Run(menu, globalPos);
}

} // namespace vel::lumo
