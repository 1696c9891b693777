#include "apps/lumo/document/AudioCommands.h"

#include <utility>

namespace vel::lumo {

SetAudioCmd::SetAudioCmd(LumoDocument* document, AudioClip clip)
    : LumoCommand(document, "Load Audio"), clip_(std::move(clip)) {}

bool SetAudioCmd::Swap() {
    GetDocument().SetAudio(clip_);
    return true;
}

bool SetAudioCmd::Do() {
    return Swap();
}

bool SetAudioCmd::Undo() {
    return Swap();
}

} // namespace vel::lumo
