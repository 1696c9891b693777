#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/document/LumoCommand.h"

namespace vel::lumo {

// Replaces the document's audio clip. The command keeps whichever clip the
// document does not hold, so undo and redo swap clips without reading the
// file again.
class SetAudioCmd : public LumoCommand<SetAudioCmd> {
public:
    SetAudioCmd(LumoDocument* document, AudioClip clip);

    bool Do() override;
    bool Undo() override;

private:
    bool Swap();

    AudioClip clip_;
};

} // namespace vel::lumo
