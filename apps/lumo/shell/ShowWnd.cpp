#include "apps/lumo/shell/ShowWnd.h"

#include "apps/lumo/animate/StandardKeys.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/Model.h"
#include "apps/lumo/panes/AudioWnd.h"
#include "apps/lumo/render/ExportPicture.h"
#include "apps/lumo/shell/HeldExpressions.h"
#include "apps/lumo/shell/LatenessLog.h"
#include "apps/lumo/shell/LiveLatencyLog.h"
#include "apps/lumo/shell/PlaybackController.h"
#include "apps/lumo/shell/ShowLayer.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWindow>
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>

namespace vel::lumo {

namespace {

AudioWnd* MakeAudio(QWidget* parent, PaneHost* host, std::unique_ptr<AudioOutput> output) {
    return output ? new AudioWnd(parent, host, std::move(output)) : new AudioWnd(parent, host);
}

} // namespace

ShowWnd::ShowWnd(LumoDocument& document, PacerClock& clock, std::function<void()> onEnd,
                 std::unique_ptr<AudioOutput> output)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), registration_(&document, this),
      onEnd_(std::move(onEnd)), audio_(MakeAudio(this, this, std::move(output))), clock_(&clock),
      playback_(std::make_unique<PlaybackController>(clock, *this, *audio_, nullptr, *this,
                                                     PlaybackController::AtEnd::Loop,
                                                     FramePacer::AfterStall::Drop)),
      lateness_(LatenessLog::FromEnvironment()), liveLog_(LiveLatencyLog::FromEnvironment()) {
    setWindowTitle(QStringLiteral("Show"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAutoFillBackground(false);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    audio_->SetDocument(&document);
    pointerTimer_.setSingleShot(true);
    pointerTimer_.setInterval(PointerHideMs);
    connect(&pointerTimer_, &QTimer::timeout, this, [this] { setCursor(Qt::BlankCursor); });
    livePaint_.setSingleShot(true);
    livePaint_.setTimerType(Qt::PreciseTimer);
    connect(&livePaint_, &QTimer::timeout, this, [this] {
        if (livePending_) {
            PaintLiveChange();
        }
    });
}

ShowWnd::~ShowWnd() {
    playback_->Stop();
    audio_->SetDocument(nullptr);
}

LumoDocument* ShowWnd::GetDocument() const {
    return static_cast<LumoDocument*>(registration_.GetDocument());
}

void ShowWnd::Start(QScreen* screen) {
    if (screen != nullptr) {
        setScreen(screen);
        setGeometry(screen->geometry());
    }
    showFullScreen();
    activateWindow();
    setFocus(Qt::ActiveWindowFocusReason);
    pointerTimer_.start();
    RequestFrame(0);
    starting_ = true;
}

// The window's first paint on a new screen costs several frame intervals, and
// the window may show only after it: a clock started before would find the
// first frames late and drop the ones after them. The show's clock and its
// sound start together once the first frame is on the screen.
void ShowWnd::BeginPlaying() {
    if (!starting_) {
        return;
    }
    starting_ = false;
    if (LumoDocument* document = GetDocument()) {
        playback_->Play(*document);
    }
}

void ShowWnd::End() {
    if (ended_) {
        return;
    }
    ended_ = true;
    starting_ = false;
    playback_->Stop();
    hide();
    if (onEnd_) {
        onEnd_();
    }
}

bool ShowWnd::IsPlaying() const {
    return starting_ || playback_->IsPlaying();
}

void ShowWnd::TogglePause() {
    if (IsPlaying()) {
        starting_ = false;
        playback_->Stop();
    } else if (LumoDocument* document = GetDocument()) {
        playback_->Play(*document);
    }
}

void ShowWnd::PlaybackStep() {
    BeginPlaying();
    playback_->Step(GetDocument());
}

PacerClock::Duration ShowWnd::PlaybackTurn() {
    if (starting_) {
        return FirstFrameWait;
    }
    return playback_->Turn(GetDocument());
}

void ShowWnd::SetLayer(std::unique_ptr<ShowLayer> layer) {
    layer_ = std::move(layer);
    update();
}

void ShowWnd::RequestFrame(uint32_t frame) {
    if (frame != frame_) {
        frame_ = frame;
        stale_ = true;
        unlogged_ = IsPlaying();
        update();
    }
    audio_->SetFrame(frame);
}

void ShowWnd::WatchLiveKnobs(LiveKnobs* knobs) {
    live_ = LiveKnobs::Watching(knobs, this);
    OnLiveKnobsChange();
}

// Drawn at once, not at the next frame's deadline: a live mouth lags the
// voice by as little as the screen allows, and a stopped show still talks.
void ShowWnd::OnLiveKnobsChange() {
    stale_ = true;
    livePending_ = true;
    PaintLiveChange();
}

// The microphone's pieces come far more often than frames: painting each
// would take the time the frames need, so the show paints at most twice a
// frame interval.
void ShowWnd::PaintLiveChange() {
    const LumoDocument* document = GetDocument();
    const double paintsPerSecond =
        document != nullptr ? LivePaintsPerFrame * document->GetFrameRate() / 1000.0 : 0.0;
    const auto gap = paintsPerSecond > 0 ? std::chrono::duration_cast<PacerClock::Duration>(
                                               std::chrono::duration<double>(1.0 / paintsPerSecond))
                                         : PacerClock::Duration::zero();
    const PacerClock::TimePoint now = clock_->Now();
    if (lastPaint_ && *lastPaint_ + gap > now) {
        if (!livePaint_.isActive()) {
            livePaint_.start(std::chrono::ceil<std::chrono::milliseconds>(*lastPaint_ + gap - now));
        }
        return;
    }
    update();
}

void ShowWnd::OnDocumentChange(Document*, uint32_t changes) {
    if ((changes & (ChangeBits::Model | ChangeBits::Timeline | ChangeBits::Fit)) != 0) {
        stale_ = true;
        update();
    }
}

// The video's proportions, as large as the window allows, in device pixels.
QSize ShowWnd::PictureSize() const {
    const double ratio = devicePixelRatioF();
    const auto width = static_cast<int64_t>(std::lround(this->width() * ratio));
    const auto height = static_cast<int64_t>(std::lround(this->height() * ratio));
    const int64_t across = VideoSize.width;
    const int64_t down = VideoSize.height;
    if (width * down <= height * across) {
        return {static_cast<int>(width), static_cast<int>((width * down + across / 2) / across)};
    }
    return {static_cast<int>((height * across + down / 2) / down), static_cast<int>(height)};
}

QRect ShowWnd::PictureRect() const {
    const QSize size = PictureSize() / devicePixelRatioF();
    return {QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size};
}

const ExportPicture& ShowWnd::DrawnPicture() {
    LumoDocument* document = GetDocument();
    const QSize size = PictureSize();
    if (!picture_ || size != pictureSize_) {
        picture_ = std::make_unique<ExportPicture>(size.width(), size.height(),
                                                   document ? &document->GetFit() : nullptr);
        pictureSize_ = size;
        stale_ = true;
    }
    if (stale_ && document != nullptr && !size.isEmpty()) {
        picture_->Draw(document->EvaluateFrame(frame_, live_.GetKnobs()), std::nullopt,
                       document->GetFrameRate());
        stale_ = false;
    }
    return *picture_;
}

QImage ShowWnd::Picture() {
    const ExportPicture& picture = DrawnPicture();
    return QImage(picture.Rows(), pictureSize_.width(), pictureSize_.height(), QImage::Format_RGB32)
        .copy();
}

void ShowWnd::paintEvent(QPaintEvent*) {
    const auto start = LiveLatencyLog::Clock::now();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    const QRect target = PictureRect();
    if (GetDocument() != nullptr && !target.isEmpty()) {
        const ExportPicture& picture = DrawnPicture();
        QImage image(picture.Rows(), pictureSize_.width(), pictureSize_.height(),
                     QImage::Format_RGB32);
        image.setDevicePixelRatio(devicePixelRatioF());
        painter.drawImage(target.topLeft(), image);
    }
    if (layer_) {
        layer_->Paint(painter, target);
    }
    lastPaint_ = clock_->Now();
    livePending_ = false;
    // Begun once this paint has gone to the screen, after this event.
    if (starting_ && windowHandle() != nullptr && windowHandle()->isExposed()) {
        QMetaObject::invokeMethod(this, &ShowWnd::BeginPlaying, Qt::QueuedConnection);
    }
    if (lateness_ && unlogged_) {
        lateness_->Painted(frame_, clock_->Now() - playback_->GetLastDeadline());
        unlogged_ = false;
    }
    if (liveLog_ && live_.GetKnobs() != nullptr) {
        if (const std::optional<float> open = live_.GetKnobs()->Get(MouthKey)) {
            liveLog_->Drawn(*open, start);
        }
    }
}

void ShowWnd::keyPressEvent(QKeyEvent* event) {
    if ((layer_ && layer_->OnKey(*event)) || RunKey(*event) ||
        (expressions_ != nullptr && expressions_->OnKey(*event))) {
        event->accept();
        return;
    }
    event->ignore();
}

void ShowWnd::keyReleaseEvent(QKeyEvent* event) {
    if (expressions_ != nullptr && expressions_->OnKey(*event)) {
        event->accept();
        return;
    }
    event->ignore();
}

bool ShowWnd::RunKey(const QKeyEvent& event) {
    switch (event.key()) {
    case Qt::Key_Space:
        if (!event.isAutoRepeat()) {
            TogglePause();
        }
        return true;
    case Qt::Key_Escape:
    case Qt::Key_F11:
        End();
        return true;
    default:
        return false;
    }
}

void ShowWnd::OnMouse(QMouseEvent* event) {
    unsetCursor();
    pointerTimer_.start();
    if (layer_ && layer_->OnMouse(*event)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void ShowWnd::mousePressEvent(QMouseEvent* event) {
    OnMouse(event);
}

void ShowWnd::mouseMoveEvent(QMouseEvent* event) {
    OnMouse(event);
}

void ShowWnd::mouseReleaseEvent(QMouseEvent* event) {
    OnMouse(event);
}

// Closed by the window manager (Alt+F4), the show ends as by Escape.
void ShowWnd::closeEvent(QCloseEvent* event) {
    End();
    event->accept();
}

} // namespace vel::lumo
