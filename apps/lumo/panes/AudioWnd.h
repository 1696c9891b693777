#pragma once

#include "apps/lumo/audio/AudioClip.h"
#include "apps/lumo/panes/AudioOutput.h"
#include "apps/lumo/panes/Pane.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vel::lumo {

// Plays the document's clip in step with playback. A hidden pane: the main
// window starts and stops it and tells it every new frame, and the pane
// keeps about a second of sound queued ahead of what is heard. The clip is
// converted to the output's format piece by piece as it is queued, so memory
// stays that of one piece however long the clip is in the output's rate.
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

    // The output's format and the clip's length in it (0 where there is
    // nothing to play), and the next sample frame to queue.
    const AudioHeader& PlaybackFormat() const { return target_; }
    uint64_t PlaybackFrames() const { return frames_; }
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
    // Queues up to count frames that make(first, count, bytes) writes, a piece
    // at a time; answers how many the output took.
    template <typename Make> uint64_t Queue(uint64_t count, Make make);

    std::unique_ptr<AudioOutput> output_;
    AudioClip source_; // shares the document's samples
    AudioHeader target_;
    uint64_t frames_ = 0;
    std::vector<uint8_t> piece_;
    uint32_t frame_ = 0;
    uint64_t startPosition_ = 0;
    uint64_t position_ = 0;
    bool running_ = false;
};

} // namespace vel::lumo
