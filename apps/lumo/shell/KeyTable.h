#pragma once

#include <QString>
#include <Qt>
#include <cstdint>
#include <span>

namespace vel::lumo {

// How far the arrows with Ctrl and the transport's jump buttons move.
inline constexpr std::uint32_t JumpFrames = 30;

// What a key of the main window does.
enum class KeyAction {
    Command,    // runs the binding's command, as its menu item does
    MoveFrames, // moves the frame cursor by the binding's frames per press
    Escape,     // cancels a splitter drag, else stops playback
    Stop,       // stops playback
    Start,      // starts playback
};

// One key of the main window, whichever pane has the focus. The menus show
// their keys and the shortcut list is written from the same bindings.
struct KeyBinding {
    Qt::Key key;
    bool ctrl;
    KeyAction action;
    std::uint32_t command;
    int frames;
    // What the key does, in the shortcut list.
    const char* text;
};

// Every key of the main window; a command's first binding is the one its
// menu item shows.
std::span<const KeyBinding> WindowKeys();

// The binding a key press gives: with Ctrl held, a key without a Ctrl
// binding acts as the plain key. Other modifiers make no difference.
const KeyBinding* FindWindowKey(int key, bool ctrl);

// The key as the menus write it, for example "Ctrl+N".
QString KeyText(Qt::Key key, Qt::KeyboardModifiers modifiers);
QString KeyText(const KeyBinding& binding);

// A menu item's text with the key of its command after a tab, when it has one.
QString MenuText(const QString& label, std::uint32_t command);

} // namespace vel::lumo
