#pragma once

#include <memory>

namespace vel::lumo {

class LumoDocument;

// The document's face as a template for new documents: its shapes, poses,
// knobs and candle, each knob with one key at its value on frame 0, and the
// frame rate. The sound, the later keys and the fit stay behind: a fit
// belongs to one pumpkin, and a new document starts unfitted.
std::unique_ptr<LumoDocument> FaceTemplateOf(const LumoDocument& document);

} // namespace vel::lumo
