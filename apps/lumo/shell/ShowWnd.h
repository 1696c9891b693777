#pragma once

#include "apps/lumo/document/View.h"
#include "apps/lumo/document/ViewRegistration.h"
#include "apps/lumo/model/LiveKnobs.h"
#include "apps/lumo/panes/AudioOutput.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/shell/PacerClock.h"

#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

class QScreen;

namespace vel::lumo {

class AudioWnd;
class ExportPicture;
class LatenessLog;
class HeldExpressions;
class LiveLatencyLog;
class LumoDocument;
class PlaybackController;
class ShowLayer;

// The show on the projector: a borderless full-screen window that plays the
// document's frames in a loop, with the sound, showing only the face on black,
// fitted to the pumpkin by the document's fit. It draws every frame as the
// export does, into a picture of the video's proportions as large as the
// screen allows, so a fitted video's frame is the same picture.
//
// Keys and the mouse go first to the layer put in front (SetLayer), then to
// the window's own keys: Space pauses and resumes, Escape and F11 end the
// show.
class ShowWnd : public QWidget, public PaneHost, private View, private LiveKnobs::Watcher {
public:
    // How long the pointer stays without moving before it hides.
    static constexpr int PointerHideMs = 1000;
    // How many paints a frame interval live changes may cause at most.
    static constexpr double LivePaintsPerFrame = 2.0;
    // How long a turn lets events be waited for while the first frame is
    // still on its way to the screen.
    static constexpr PacerClock::Duration FirstFrameWait = std::chrono::milliseconds(10);

    // The clock and the document must outlive the window; onEnd is called
    // once, when the show ends. Sound goes to the system's output unless one
    // is given.
    ShowWnd(LumoDocument& document, PacerClock& clock, std::function<void()> onEnd,
            std::unique_ptr<AudioOutput> output = nullptr);
    ~ShowWnd() override;
    ShowWnd(const ShowWnd&) = delete;
    ShowWnd& operator=(const ShowWnd&) = delete;

    // Fills the screen and plays from the first frame, once it is shown.
    void Start(QScreen* screen);
    // Stops playing, hides the window and tells the owner.
    void End();
    bool IsEnded() const { return ended_; }

    bool IsPlaying() const;
    void TogglePause();
    // One frame of the show: waits for its deadline, then shows the next; a
    // show still waiting for its first frame begins at once.
    void PlaybackStep();
    // One turn of the show in the message loop: the next frame once its
    // deadline is near; answers how long events may be waited for.
    PacerClock::Duration PlaybackTurn();

    // Puts a layer in front of the window's keys, mouse and picture; none
    // takes it away.
    void SetLayer(std::unique_ptr<ShowLayer> layer);
    // Draws the face with these knobs over the timeline's; none draws the
    // timeline alone. The knobs must outlive the window or be taken away.
    void WatchLiveKnobs(LiveKnobs* knobs);
    // The keys 1 to 9 hold expressions through these, which must outlive
    // the window; none leaves the keys alone.
    void SetHeldExpressions(HeldExpressions* expressions) { expressions_ = expressions; }
    // The document shown, or none once it has gone.
    LumoDocument* GetDocument() const;
    // Where the picture shows, in the window's logical pixels.
    QRect PictureRect() const;
    // The picture of the frame shown, as the window draws it.
    QImage Picture();

    void RequestFrame(uint32_t frame) override;
    uint32_t GetFrame() const override { return frame_; }
    void RequestSelection(const Selection&) override {}
    int OnCommand(uint32_t) override { return 0; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void BeginPlaying();
    void OnDocumentChange(Document* document, uint32_t changes) override;
    void OnLiveKnobsChange() override;
    // Paints a live change at once, or when half a frame interval has
    // passed since the last paint.
    void PaintLiveChange();
    // Answers whether the window itself used the key.
    bool RunKey(const QKeyEvent& event);
    void OnMouse(QMouseEvent* event);
    // The picture's size in device pixels for the window's size.
    QSize PictureSize() const;
    // Draws the frame into the picture when something made it stale.
    const ExportPicture& DrawnPicture();

    ViewRegistration registration_;
    LiveKnobs::Watching live_;
    std::function<void()> onEnd_;
    AudioWnd* audio_;
    PacerClock* clock_;
    std::unique_ptr<PlaybackController> playback_;
    std::unique_ptr<LatenessLog> lateness_;
    std::unique_ptr<LiveLatencyLog> liveLog_;
    std::unique_ptr<ShowLayer> layer_;
    HeldExpressions* expressions_ = nullptr;
    std::unique_ptr<ExportPicture> picture_;
    QSize pictureSize_;
    bool stale_ = true;
    // Whether the lateness of the frame shown is still to be logged.
    bool unlogged_ = false;
    uint32_t frame_ = 0;
    QTimer pointerTimer_;
    QTimer livePaint_;
    std::optional<PacerClock::TimePoint> lastPaint_;
    // Whether a live change is still to be painted.
    bool livePending_ = false;
    // Whether the show waits for its first frame to reach the screen.
    bool starting_ = false;
    bool ended_ = false;
};

} // namespace vel::lumo
