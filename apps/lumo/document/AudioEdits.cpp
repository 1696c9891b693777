#include "apps/lumo/document/AudioEdits.h"

#include "apps/lumo/document/AudioCommands.h"
#include "apps/lumo/document/LumoDocument.h"

#include <utility>

namespace vel::lumo {

bool ReplaceAudio(LumoDocument& document, AudioClip clip) {
    return document.Execute(SetAudioCmd(&document, std::move(clip)));
}

} // namespace vel::lumo
