#pragma once

#include "apps/lumo/audio/AudioClip.h"

namespace vel::lumo {

class LumoDocument;

// Gives the document the clip as one undo step; undo brings the clip it had
// back without reading any file.
bool ReplaceAudio(LumoDocument& document, AudioClip clip);

} // namespace vel::lumo
