#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/panes/AudioOutput.h"
#include "apps/lumo/panes/Pane.h"

#include <cstdint>
#include <memory>
#include <optional>

namespace vel::lumo {

// Plays the document's clip in step with playback. A hidden pane: the main
// window starts and stops it and tells it every new frame, and the pane
// keeps about a second of sound queued ahead of what is heard. The clip is
// converted to the output's format once per change of the document's audio,
// so that feeding the output is a plain copy.
class AudioWnd : public Pane {
public:
    // On the system's default output.
    AudioWnd(QWidget* parent, PaneHost* host);
    AudioWnd(QWidget* parent, PaneHost* host, std::unique_ptr<AudioOutput> output);
    ~AudioWnd() override;

    // Tops up the output while running.
    void SetFrame(uint32_t frame);
    // Starts the output at the sample of the frame; false when there is no
    // sound to play (the pictures then play on silently).
    bool Start(uint32_t frame, double framesPerSecond);
    // Stops the output and drops what it still had queued.
    void Stop();
    bool IsRunning() const { return running_; }
    // Seconds from the start of the clip to the sample being heard now,
    // while running and while the output can tell.
    std::optional<double> HeardSeconds() const;

    // The clip in the output's format, and the next sample frame to queue.
    const AudioClip& PlaybackClip() const { return playback_; }
    uint64_t PlayPosition() const { return position_; }

    void OnDocumentChange(Document* document, uint32_t changes) override;

protected:
    void OnAttach() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void RebuildClip();
    // Queues n sample frames from the play position, silence past the clip's
    // end; false when the output took nothing.
    bool Fill(uint64_t n);

    std::unique_ptr<AudioOutput> output_;
    AudioClip playback_;
    uint32_t frame_ = 0;
    uint64_t startPosition_ = 0;
    uint64_t position_ = 0;
    bool running_ = false;
};

} // namespace vel::lumo
