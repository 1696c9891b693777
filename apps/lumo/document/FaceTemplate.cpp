#include "apps/lumo/document/FaceTemplate.h"

#include "apps/lumo/document/LumoDocument.h"

namespace vel::lumo {

std::unique_ptr<LumoDocument> FaceTemplateOf(const LumoDocument& document) {
    auto face = std::make_unique<LumoDocument>(document);
    AudioClip silence;
    face->SetAudio(silence);
    face->SetFit(PumpkinFit());
    KnobTimeline firstFrame;
    firstFrame.SetFrameRate(document.GetFrameRate());
    for (const auto& [key, value] : document.GetKnobValues(0)) {
        firstFrame.SetAnchor(key, 0, value);
    }
    face->GetTimeline() = firstFrame;
    face->SynchroniseTimeline();
    return face;
}

} // namespace vel::lumo
