#include "apps/lumo/panes/PopupMenu.h"

#include "wingui/RunnerSeam.h"

#include <QAction>
#include <QMenu>

namespace vel::lumo {

namespace {

class ModalMenuRunner : public PopupMenuRunner {
public:
    QAction* Run(QMenu& menu, QPoint globalPosition) override { return menu.exec(globalPosition); }
};

wingui::RunnerSeam<PopupMenuRunner, ModalMenuRunner> runner;

} // namespace

QAction* AddMenuItem(QMenu& menu, const QString& text, std::uint32_t id) {
    QAction* action = menu.addAction(text);
    action->setData(static_cast<uint>(id));
    return action;
}

std::uint32_t TrackPopupMenu(QMenu& menu, QPoint globalPosition) {
    if (menu.isEmpty()) {
        return 0;
    }
    const QAction* chosen = runner.Get().Run(menu, globalPosition);
    return chosen != nullptr ? chosen->data().toUInt() : 0;
}

PopupMenuRunner* PopupMenuRunner::SetRunner(PopupMenuRunner* replacement) {
    return runner.Set(replacement);
}

} // namespace vel::lumo
