#pragma once

#include <QPoint>
#include <QString>
#include <cstdint>

class QAction;
class QMenu;

namespace vel::lumo {

// Shows a pane's pop-up menu at a screen position and answers the chosen
// item, or null. The default tracks it modally; tests install one that
// answers at once.
class PopupMenuRunner {
public:
    virtual ~PopupMenuRunner() = default;
    virtual QAction* Run(QMenu& menu, QPoint globalPos) = 0;

    // Replaces the runner every pane uses; null restores the modal one.
    // Answers the previous runner, null for the modal one.
    static PopupMenuRunner* SetRunner(PopupMenuRunner* runner);
    static QAction* Show(QMenu& menu, QPoint globalPos);
};

// Appends an item that carries its command id.
QAction* AddMenuItem(QMenu& menu, const QString& text, std::uint32_t id);
// Runs the menu at the screen position; the chosen item's command id, or 0.
// A menu without items is not shown.
std::uint32_t TrackPopupMenu(QMenu& menu, QPoint globalPosition);

} // namespace vel::lumo
