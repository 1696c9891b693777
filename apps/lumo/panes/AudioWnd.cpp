#include "apps/lumo/panes/AudioWnd.h"

namespace vel::lumo {

AudioWnd::AudioWnd(QWidget* parent, PaneHost* host)
    : Pane(parent, host, QStringLiteral("Audio"), FocusClick::Used) {
    hide();
}

void AudioWnd::SetFrame(uint32_t frame) {
    frame_ = frame;
}

bool AudioWnd::Start(uint32_t frame, double) {
    frame_ = frame;
    return false;
}

void AudioWnd::Stop() {
    running_ = false;
}

std::optional<double> AudioWnd::HeardSeconds() const {
    return std::nullopt;
}

} // namespace vel::lumo
