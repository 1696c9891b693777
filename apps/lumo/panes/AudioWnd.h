#pragma once

#include "apps/lumo/panes/Pane.h"

#include <cstdint>
#include <optional>

namespace vel::lumo {

// Plays the document's clip in step with playback. A hidden pane: the main
// window starts and stops it and tells it every new frame.
class AudioWnd : public Pane {
public:
    AudioWnd(QWidget* parent, PaneHost* host);

    // Tops up the output while running.
    void SetFrame(uint32_t frame);
    // Starts the output at the sample of the frame; false when there is no
    // sound to play (the pictures then play on silently).
    bool Start(uint32_t frame, double framesPerSecond);
    void Stop();
    bool IsRunning() const { return running_; }
    // Seconds of the clip heard so far from the start of the clip, while
    // running and while the output can tell.
    std::optional<double> HeardSeconds() const;

private:
    uint32_t frame_ = 0;
    bool running_ = false;
};

} // namespace vel::lumo
