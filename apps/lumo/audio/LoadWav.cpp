#include "apps/lumo/audio/LoadWav.h"

#include "apps/lumo/audio/WavReader.h"

#include <utility>

namespace vel::lumo {

AudioClip LoadWav(const std::string& fileName) {
    WavReader wav;
    if (!wav.Open(fileName)) {
        return {};
    }
    if (!wav.IsAccepted()) {
        return AudioClip(wav.Header(), {});
    }
    // Without a listener the reading is never stopped.
    return AudioClip(wav.Header(), std::move(*wav.ReadSamples({})));
}

} // namespace vel::lumo
