#pragma once

#include "apps/lumo/panes/TimelineWaveform.h"

#include <cstdint>
#include <optional>

namespace vel::lumo {

// The waveforms the timeline keeps: the one of the document's clip, the one
// of the clip before it, so that undoing or redoing a new clip shows its
// waveform at once, and one shown instead of them for a while.
class TimelineWaveforms {
public:
    // The one to draw.
    const TimelineWaveform& Shown() const { return shown_ ? *shown_ : current_; }
    bool IsShowingOther() const { return shown_.has_value(); }
    // Draws this one instead until it is taken back (none) or the document
    // takes the clip it was built of.
    void Show(std::optional<TimelineWaveform> waveform) { shown_ = std::move(waveform); }
    // Follows the document's clip: takes the shown or the kept waveform when
    // it is that clip's, and builds it otherwise.
    void Follow(const AudioClip& clip, std::uint32_t frameRate);

private:
    TimelineWaveform current_;
    TimelineWaveform previous_;
    std::optional<TimelineWaveform> shown_;
};

} // namespace vel::lumo
