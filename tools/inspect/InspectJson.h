#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/document/LumoDocument.h"

#include <cstdint>
#include <nlohmann/json.hpp>

namespace vel::lumo {

// A float as the shortest decimal that reads back as the same float;
// infinities and NaN, which JSON cannot hold as numbers, as strings.
nlohmann::ordered_json FloatJson(float value);

// The sample format code as eight hex digits, "0x00000210".
std::string FormatCodeText(SampleFormat format);

// The document's knobs, shapes, timeline and audio.
nlohmann::ordered_json DocumentJson(const LumoDocument& document);

// The knob values and evaluated shapes of one frame.
nlohmann::ordered_json FrameJson(const LumoDocument& document, uint32_t frame);

// A clip's header, length and the peak of each channel.
nlohmann::ordered_json ClipJson(const AudioClip& clip);

} // namespace vel::lumo
