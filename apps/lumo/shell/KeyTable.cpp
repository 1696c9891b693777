#include "apps/lumo/shell/KeyTable.h"

#include "apps/lumo/panes/CommandIds.h"

#include <QKeySequence>
#include <algorithm>
#include <array>

namespace vel::lumo {

namespace {

constexpr KeyBinding Bind(Qt::Key key, bool ctrl, std::uint32_t command, const char* text) {
    return {key, ctrl, KeyAction::Command, command, 0, text};
}

constexpr KeyBinding Act(Qt::Key key, KeyAction action, const char* text) {
    return {key, false, action, 0, 0, text};
}

constexpr KeyBinding Move(Qt::Key key, bool ctrl, int frames, const char* text) {
    return {key, ctrl, KeyAction::MoveFrames, 0, frames, text};
}

constexpr std::array Keys{
    Bind(Qt::Key_N, true, IdNew, "New document"),
    Bind(Qt::Key_O, true, IdOpen, "Open a document"),
    Bind(Qt::Key_S, true, IdSave, "Save the document"),
    Bind(Qt::Key_W, true, IdClose, "Close the document, leaving an empty one"),
    Bind(Qt::Key_F5, true, IdExportVideo, "Export the video"),
    Bind(Qt::Key_Q, true, IdExit, "Exit"),
    Bind(Qt::Key_F4, true, IdExit, "Exit"),
    Bind(Qt::Key_Z, true, IdUndo, "Undo"),
    Bind(Qt::Key_Y, true, IdRedo, "Redo"),
    Bind(Qt::Key_F5, false, IdPlay, "Play or pause"),
    Bind(Qt::Key_F4, false, IdPlay, "Play or pause"),
    Bind(Qt::Key_MediaTogglePlayPause, false, IdPlay, "Play or pause"),
    Bind(Qt::Key_F11, false, IdShowOnProjector, "Show the face full screen on the projector"),
    Bind(Qt::Key_L, false, IdLiveVoice, "Live voice: the microphone moves the mouth, or not"),
    Bind(Qt::Key_Q, false, IdQuietNow, "Quiet now: live voice learns the room's noise again"),
    Bind(Qt::Key_R, false, IdRecordTake,
         "Record a take of live voice into the document, or end it"),
    Act(Qt::Key_MediaPlay, KeyAction::Start, "Play"),
    Act(Qt::Key_MediaStop, KeyAction::Stop, "Stop"),
    Act(Qt::Key_Escape, KeyAction::Escape, "Stop playing, or cancel moving a splitter"),
    Bind(Qt::Key_Home, false, IdHome, "Go to the first frame"),
    Bind(Qt::Key_End, false, IdEnd, "Go to the last frame"),
    Move(Qt::Key_Left, false, -1, "Previous frame"),
    Move(Qt::Key_Right, false, 1, "Next frame"),
    Move(Qt::Key_Left, true, -static_cast<int>(JumpFrames), "30 frames back"),
    Move(Qt::Key_Right, true, static_cast<int>(JumpFrames), "30 frames forward"),
};

const KeyBinding* Find(int key, bool ctrl) {
    const auto found = std::find_if(Keys.begin(), Keys.end(), [key, ctrl](const KeyBinding& b) {
        return b.key == key && b.ctrl == ctrl;
    });
    return found == Keys.end() ? nullptr : &*found;
}

} // namespace

std::span<const KeyBinding> WindowKeys() {
    return Keys;
}

const KeyBinding* FindWindowKey(int key, bool ctrl) {
    const KeyBinding* binding = Find(key, ctrl);
    if (binding == nullptr && ctrl) {
        binding = Find(key, false);
    }
    return binding;
}

QString KeyText(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    return QKeySequence(QKeyCombination(modifiers, key)).toString(QKeySequence::NativeText);
}

QString KeyText(const KeyBinding& binding) {
    return KeyText(binding.key, binding.ctrl ? Qt::ControlModifier : Qt::NoModifier);
}

QString MenuText(const QString& label, std::uint32_t command) {
    const auto found = std::find_if(Keys.begin(), Keys.end(), [command](const KeyBinding& b) {
        return b.action == KeyAction::Command && b.command == command;
    });
    return found == Keys.end() ? label : label + QLatin1Char('\t') + KeyText(*found);
}

} // namespace vel::lumo
