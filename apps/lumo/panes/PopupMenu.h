#pragma once

#include <QPoint>
#include <QString>
#include <cstdint>

class QAction;
class QMenu;

namespace vel::lumo {

// Shows a pane's popup menu and answers the chosen item, or null when the
// menu was dismissed. The default runs the menu modally; tests install one
// that answers at once.
class PopupMenuRunner {
public:
    virtual ~PopupMenuRunner() = default;
    virtual QAction* Run(QMenu& menu, QPoint globalPosition) = 0;

    // Replaces the runner every popup menu uses; null restores the modal one.
    // Answers the previous runner, null for the modal one.
    static PopupMenuRunner* SetRunner(PopupMenuRunner* runner);
};

// Appends an item that carries its command id.
QAction* AddMenuItem(QMenu& menu, const QString& text, std::uint32_t id);
// Runs the menu at the screen position; the chosen item's command id, or 0.
// A menu without items is not shown.
std::uint32_t TrackPopupMenu(QMenu& menu, QPoint globalPosition);

} // namespace vel::lumo
