#include "apps/lumo/panes/PopupMenu.h"

#include "wingui/RunnerSeam.h"

#include <QAction>
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

QAction* AddMenuItem(QMenu& menu, const QString& text, std::uint32_t id) {
    QAction* action = menu.addAction(text);
    action->setData(static_cast<uint>(id));
    return action;
}

std::uint32_t TrackPopupMenu(QMenu& menu, QPoint globalPosition) {
    if (menu.isEmpty())
        return 0;
    const QAction* chosen = PopupMenuRunner::Show(menu, globalPosition);
    return chosen != nullptr ? chosen->data().toUInt() : 0;
}

} // namespace vel::lumo
