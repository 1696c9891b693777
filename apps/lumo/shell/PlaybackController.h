#pragma once

#include "apps/lumo/shell/FramePacer.h"

#include <cstdint>

class QWidget;

namespace vel::lumo {

class AudioWnd;
class LumoDocument;
class PaneHost;
class TransportBar;

// Plays the document from the frame shown: paces the frames, keeps the
// picture on the sound being heard, and shows play or pause on the transport
// when there is one. The frame moves through the host like any other frame
// change.
class PlaybackController {
public:
    // What comes after the last frame.
    enum class AtEnd { Stop, Loop };

    // The window is repainted whole when a frame comes late. A player
    // without a transport bar passes none. The editor catches up after a
    // stall, as a frame that jumps stops its playback; the show drops.
    PlaybackController(PacerClock& clock, PaneHost& host, AudioWnd& audio, TransportBar* transport,
                       QWidget& window, AtEnd atEnd = AtEnd::Stop,
                       FramePacer::AfterStall afterStall = FramePacer::AfterStall::CatchUp);

    bool IsPlaying() const { return playing_; }
    // Starts at the frame shown, or at the first when the last is shown.
    void Play(const LumoDocument& document);
    void Stop();
    // One frame of playback: waits for its deadline, then shows the next
    // frame (or, dropping, the one due now), or at the end stops or starts
    // again from the first; stops without a document.
    void Step(const LumoDocument* document);
    // One turn of a playing window's loop, which handles its events while
    // waiting for a deadline rather than sleeping through them: shows the
    // next frame as Step does once its deadline is near, and answers how
    // long the loop may wait for events before the next turn.
    PacerClock::Duration Turn(const LumoDocument* document);
    // When the frame shown last was due.
    PacerClock::TimePoint GetLastDeadline() const { return pacer_.GetLastDeadline(); }

private:
    void ShowPlaying(bool playing);
    void FollowSound(const LumoDocument& document);

    PaneHost* host_;
    AudioWnd* audio_;
    TransportBar* transport_;
    QWidget* window_;
    FramePacer pacer_;
    AtEnd atEnd_;
    bool playing_ = false;
};

} // namespace vel::lumo
