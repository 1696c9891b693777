#include "apps/lumo/panes/PopupMenu.h"

#include <QAction>
#include <QMenu>

namespace vel::lumo {

namespace {

class ModalMenuRunner : public MenuRunner {
public:
    QAction* Run(QMenu& menu, QPoint globalPosition) override { return menu.exec(globalPosition); }
};

ModalMenuRunner modalRunner;
MenuRunner* currentRunner = &modalRunner;

} // namespace

QAction* AddMenuItem(QMenu& menu, const QString& text, std::uint32_t id) {
    QAction* action = menu.addAction(text);
    action->setData(static_cast<uint>(id));
    return action;
}

std::uint32_t TrackPopupMenu(QMenu& menu, QPoint globalPosition) {
    const QAction* chosen = currentRunner->Run(menu, globalPosition);
    return chosen != nullptr ? chosen->data().toUInt() : 0;
}

MenuRunner* SetMenuRunner(MenuRunner* runner) {
    MenuRunner* previous = currentRunner == &modalRunner ? nullptr : currentRunner;
    currentRunner = runner != nullptr ? runner : &modalRunner;
    return previous;
}

} // namespace vel::lumo
