#pragma once

#include "apps/lumo/model/Knob.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace vel::graphics {
class Frame;
}

namespace vel::lumo {

class KnobTimeline;
class TimelineGeometry;
class TimelineWaveform;

// The anchor being dragged, for the tooltip beside it.
struct AnchorTip {
    std::size_t row = 0;
    std::uint32_t frame = 0;
};

// Everything one paint of the timeline shows.
struct TimelineScene {
    const TimelineGeometry& geometry;
    const std::vector<Knob>& rows;
    const KnobTimeline& timeline;
    const TimelineWaveform& waveform;
    bool hasAudio = false;
    bool focused = false;
    std::uint32_t cursor = 0;
    std::optional<AnchorTip> tip;
};

// The label of a frame on the ruler and on the cursor, always as 29.97
// drop-frame timecode.
std::string TimelineLabel(std::uint32_t frame);

// A knob value as the tooltip shows it, in the user's number format.
std::string TipValueText(float value);

// Draws the rows with their curves, then the audio strip, the ruler, the
// frame cursor and the tooltip of a running anchor drag on top.
void PaintTimeline(graphics::Frame& frame, const TimelineScene& scene);

} // namespace vel::lumo
