#include "apps/lumo/panes/TimelineWaveforms.h"

#include <utility>

namespace vel::lumo {

void TimelineWaveforms::Follow(const AudioClip& clip, std::uint32_t frameRate) {
    if (current_.IsOf(clip, frameRate)) {
        return;
    }
    std::swap(current_, previous_);
    if (shown_ && shown_->IsOf(clip, frameRate)) {
        current_ = *std::exchange(shown_, std::nullopt);
    } else if (!current_.IsOf(clip, frameRate)) {
        current_.Build(clip, frameRate);
    }
}

} // namespace vel::lumo
