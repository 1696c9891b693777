#pragma once

#include <QString>
#include <Qt>
#include <span>

namespace vel::lumo {

// A key a pane handles itself while it has the focus.
struct PaneKey {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
};

// A mouse gesture, in the words the shortcut list shows.
struct Gesture {
    const char* gesture;
    const char* text;
};

// What one pane answers to.
struct PaneShortcuts {
    const char* name;
    std::span<const PaneKey> keys;
    std::span<const Gesture> gestures;
};

// The preview, the shapes and poses, and the timeline, in that order.
std::span<const PaneShortcuts> PaneShortcutTables();

// The main window's gestures: the transport buttons and the splitters.
std::span<const Gesture> WindowGestures();

// Every key and gesture as a page: one table of keys per pane, with its
// gestures beside it, and the show's. The main window's keys come from its
// key table.
QString ShortcutPage();

} // namespace vel::lumo
