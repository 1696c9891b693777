#include "apps/lumo/shell/LumoWnd.h"

#include "apps/lumo/animate/TakeRecorder.h"
#include "apps/lumo/dialogs/VersionInfo.h"
#include "apps/lumo/panes/AudioWnd.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/ShapeWnd.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/panes/TransportBar.h"
#include "apps/lumo/recovery/DocumentLock.h"
#include "apps/lumo/shell/AudioLoader.h"
#include "apps/lumo/shell/Autosaver.h"
#include "apps/lumo/shell/ExportVideoCommand.h"
#include "apps/lumo/shell/HeldExpressions.h"
#include "apps/lumo/shell/HelpWnd.h"
#include "apps/lumo/shell/KeyTable.h"
#include "apps/lumo/shell/LiveMicrophone.h"
#include "apps/lumo/shell/MessagePump.h"
#include "apps/lumo/shell/PlaybackController.h"
#include "apps/lumo/shell/ShowWnd.h"
#include "apps/lumo/shell/StatusLine.h"
#include "wingui/NativePath.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QMenuBar>
#include <QStatusBar>
#include <utility>

namespace vel::lumo {

namespace {

PacerClock& ClockOf(std::unique_ptr<PacerClock>& own, PacerClock* given) {
    if (given == nullptr) {
        own = std::make_unique<SteadyPacerClock>();
        return *own;
    }
    return *given;
}

constexpr qsizetype MaxCaptionLength = 260;
const QString StatusBarSetting = QStringLiteral("StatusBar");

} // namespace

LumoWnd::LumoWnd(PacerClock* clock)
    : MainWindowImpl(wingui::SettingsKey(QStringLiteral("Vellumar"), QStringLiteral("Lumo"))),
      clock_(&ClockOf(ownClock_, clock)), client_(new QWidget(this)),
      audio_(new AudioWnd(client_, this)), preview_(new PreviewWnd(client_, this)),
      shapes_(new ShapeWnd(client_, this)), timeline_(new TimelineWnd(client_, this)),
      transport_(new TransportBar(client_, this)), status_(new StatusLine(statusBar())),
      playback_(
          std::make_unique<PlaybackController>(*clock_, *this, *audio_, transport_, *client_)) {
    recentFiles_.Load(Settings());
    SetIcons();
    setWindowTitle(ProductCaption());
    setCentralWidget(client_);
    client_->setMouseTracking(true);
    client_->setAttribute(Qt::WA_OpaquePaintEvent);
    client_->installEventFilter(this);
    transport_->Create();
    preview_->WatchLiveKnobs(&liveKnobs_);
    expressions_ = std::make_unique<HeldExpressions>(
        liveKnobs_, [this] { return IsShowing() ? show_->GetFrame() : frame_; },
        [this](const QString& text) { ShowStatus(text); });
    for (Pane* pane : std::initializer_list<Pane*>{preview_, shapes_, timeline_}) {
        status_->Watch(pane);
    }
    statusBar()->setVisible(Settings().ReadDwordValue(StatusBarSetting).value_or(1) != 0);
    if (const uint32_t x = ReadDword(QStringLiteral("xSplit")); x <= INT32_MAX) {
        xSplit_ = static_cast<int>(x);
    }
    if (const uint32_t y = ReadDword(QStringLiteral("ySplit")); y <= INT32_MAX) {
        ySplit_ = static_cast<int>(y);
    }
    autosave_ = CreateAutosaver();
    audioLoader_ = std::make_unique<AudioLoader>(
        this, timeline_, [this](const std::string& path, AudioFileLoad::Outcome outcome) {
            OnAudioLoaded(path, std::move(outcome));
        });
    SetDocument(LumoDocument::New());
    CreateMenus();
    setFocusPolicy(Qt::StrongFocus);
    setAcceptDrops(true);
    preview_->setFocus();
    activePane_ = preview_;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now != nullptr && now != this && now->window() == this) {
            activePane_ = now;
        }
    });
}

// Coming back from a dialog or another window, the window manager may give
// the focus to the window itself: the pane that was active stays active.
void LumoWnd::focusInEvent(QFocusEvent* event) {
    MainWindowImpl::focusInEvent(event);
    if (activePane_) {
        activePane_->setFocus(event->reason());
    }
}

LumoWnd::~LumoWnd() {
    Stop();
    // The panes outlive the document, which goes with the window's members.
    ShowInPanes(nullptr);
}

void LumoWnd::ShowInPanes(LumoDocument* document) {
    for (Pane* pane : std::initializer_list<Pane*>{audio_, preview_, shapes_, timeline_}) {
        pane->SetDocument(document);
    }
}

void LumoWnd::SetDocument(std::unique_ptr<LumoDocument> document) {
    // The show plays the document going away.
    if (show_) {
        show_->End();
    }
    // A sound being read was meant for the document going away.
    audioLoader_->Cancel();
    // So is a take being recorded.
    if (microphone_) {
        microphone_->SetListener(nullptr);
    }
    take_.reset();
    ShowInPanes(document.get());
    for (ViewWithSelection* pane : std::initializer_list<ViewWithSelection*>{preview_, shapes_}) {
        pane->StoreSelection({});
    }
    registration_ = ViewRegistration();
    document_ = std::move(document);
    registration_ = ViewRegistration(document_.get(), this);
    expressions_->SetDocument(document_.get());
    proposedPath_.clear();
    diskStamp_ = DiskStamp::Of(document_->GetPath());
    lock_.reset();
    readOnly_ = false;
    autosave_->SetDocument(document_.get());
    UpdateCaption();
    OnCommand(IdHome);
}

void LumoWnd::OnDocumentChange(Document*, uint32_t changes) {
    if (changes == ChangeBits::Modified) {
        UpdateCaption();
    }
}

void LumoWnd::UpdateCaption() {
    QString display;
    const bool modified = document_ && document_->IsModified();
    if (document_ && !document_->GetPath().empty()) {
        display = wingui::DisplayName(document_->GetPath());
        if (readOnly_) {
            display += QStringLiteral(" (Read-Only)");
        }
    } else if (modified) {
        display = QStringLiteral("Untitled");
    }
    const QString product = ProductCaption();
    QString caption = display.isEmpty()
                          ? product
                          : QStringLiteral("%1%2 - %3")
                                .arg(display, modified ? QStringLiteral("*") : QString(), product);
    setWindowTitle(caption.left(MaxCaptionLength));
}

void LumoWnd::RequestSelection(const Selection& selection) {
    preview_->StoreSelection(selection);
    shapes_->StoreSelection(selection);
    preview_->update();
    shapes_->update();
    preview_->setFocus(Qt::OtherFocusReason);
}

void LumoWnd::SetFrame(uint32_t frame) {
    if (IsPlaying() && (frame_ == UINT32_MAX || frame != frame_ + 1)) {
        Stop();
    }
    if (frame != frame_) {
        frame_ = frame;
        audio_->SetFrame(frame);
        preview_->SetFrame(frame);
        timeline_->SetFrame(frame);
    }
    status_->ShowFrame(frame_);
}

bool LumoWnd::IsPlaying() const {
    return playback_->IsPlaying();
}

void LumoWnd::Play() {
    if (document_ && !IsShowing()) {
        playback_->Play(*document_);
    }
}

void LumoWnd::Stop() {
    playback_->Stop();
}

void LumoWnd::PlaybackStep() {
    playback_->Step(document_.get());
}

PacerClock::Duration LumoWnd::PlaybackTurn() {
    return playback_->Turn(document_.get());
}

int LumoWnd::RunMessageLoop() {
    while (!closed_) {
        std::optional<PacerClock::Duration> wait;
        if (IsPlaying()) {
            wait = PlaybackTurn();
        } else if (IsShowing() && show_->IsPlaying()) {
            wait = show_->PlaybackTurn();
        }
        PumpMessages(wait);
    }
    return 0;
}

void LumoWnd::closeEvent(QCloseEvent* event) {
    if (!QuerySaveChanges()) {
        event->ignore();
        return;
    }
    Stop();
    if (show_) {
        show_->End();
    }
    autosave_->Discard();
    WriteDword(QStringLiteral("xSplit"), static_cast<uint32_t>(xSplit_));
    WriteDword(QStringLiteral("ySplit"), static_cast<uint32_t>(ySplit_));
    closed_ = true;
    event->accept();
}

void LumoWnd::keyPressEvent(QKeyEvent* event) {
    if (expressions_->OnKey(*event)) {
        return;
    }
    const KeyBinding* binding =
        FindWindowKey(event->key(), event->modifiers().testFlag(Qt::ControlModifier));
    if (binding == nullptr || !RunKey(*binding, std::max(event->count(), 1))) {
        event->ignore();
    }
}

void LumoWnd::keyReleaseEvent(QKeyEvent* event) {
    if (!expressions_->OnKey(*event)) {
        event->ignore();
    }
}

bool LumoWnd::RunKey(const KeyBinding& binding, int repeat) {
    switch (binding.action) {
    case KeyAction::Command:
        OnCommand(binding.command);
        return true;
    case KeyAction::MoveFrames:
        MoveBy(static_cast<int64_t>(repeat) * binding.frames);
        return true;
    case KeyAction::Escape:
        if (splitterDrag_.IsDragging()) {
            splitterDrag_.CancelMode();
        } else if (IsPlaying()) {
            Stop();
        } else if (!audioLoader_->Cancel()) {
            return false;
        }
        return true;
    case KeyAction::Stop:
        Stop();
        return true;
    case KeyAction::Start:
        Play();
        return true;
    }
    return false;
}

void LumoWnd::MoveBy(int64_t frames) {
    const int64_t target =
        std::clamp<int64_t>(static_cast<int64_t>(frame_) + frames, 0, UINT32_MAX);
    SetFrame(static_cast<uint32_t>(target));
}

int LumoWnd::OnCommand(uint32_t id) {
    if (id >= IdRecentFile1 && id <= IdRecentFile4) {
        return OnRecentFile(id - IdRecentFile1);
    }
    if (id >= IdShowScreen1 && id <= IdShowScreen8) {
        return OnShowOnProjector(id - IdShowScreen1);
    }
    if (id >= IdLiveInput1 && id <= IdLiveInput8) {
        return OnLiveInput(id - IdLiveInput1);
    }
    switch (id) {
    // Closing leaves an empty document rather than an empty window, so
    // every command keeps something to act on.
    case IdNew:
    case IdClose:
        return OnNew();
    case IdOpen:
        return OnOpen();
    case IdNewFromTemplate:
        return OnNewFromTemplate();
    case IdSaveAsTemplate:
        return OnSaveAsTemplate();
    case IdSave:
        return OnSave();
    case IdSaveAs:
        return OnSaveAs();
    case IdExportVideo:
        return OnExportVideo();
    case IdExit:
        close();
        return 0;
    case IdLoadAudio:
        return OnLoadAudio();
    case IdUndo:
        return OnUndoRedo(false);
    case IdRedo:
        return OnUndoRedo(true);
    case IdPlay:
        return OnPlay();
    case IdShowOnProjector:
        return OnShowOnProjector(std::nullopt);
    case IdHome:
        return OnHome();
    case IdBack30:
        SetFrame(frame_ < JumpFrames + 1 ? 0 : frame_ - JumpFrames);
        return 0;
    case IdForward30:
        MoveBy(JumpFrames);
        return 0;
    case IdEnd:
        return OnEnd();
    case IdExpressionKeys:
        return OnExpressionKeys();
    case IdLipSync:
    case IdAddBlinks:
    case IdCandleFlicker:
        return OnAnimate(id);
    case IdStatusBar:
        return OnStatusBar();
    case IdFitPreview:
        preview_->FitPreview();
        return 0;
    case IdTutorial:
        return OnTutorial();
    case IdAbout:
        return OnAbout();
    case IdKeyboardShortcuts:
        return OnKeyboardShortcuts();
    case IdTracePhoto:
        return OnTracePhoto();
    case IdRemovePhoto:
        return OnRemovePhoto();
    case IdViewPhoto:
        return OnViewPhoto();
    case IdLiveVoice:
        return OnLiveVoice();
    case IdQuietNow:
        return OnQuietNow();
    case IdRecordTake:
        return OnRecordTake();
    default:
        return 0;
    }
}

int LumoWnd::OnUndoRedo(bool redo) {
    if (!document_) {
        return 0;
    }
    const bool wasModified = document_->IsModified();
    if (redo) {
        document_->Redo();
    } else {
        document_->Undo();
    }
    if (document_->IsModified() != wasModified) {
        document_->Notify(ChangeBits::Modified);
    }
    return 0;
}

int LumoWnd::OnPlay() {
    timeline_->setFocus(Qt::OtherFocusReason);
    if (IsPlaying()) {
        Stop();
    } else {
        Play();
    }
    return 0;
}

// The choice holds for the next run too.
int LumoWnd::OnStatusBar() {
    const bool shown = statusBar()->isHidden();
    statusBar()->setVisible(shown);
    WriteDword(StatusBarSetting, shown ? 1 : 0);
    return 0;
}

int LumoWnd::OnHome() {
    timeline_->setFocus(Qt::OtherFocusReason);
    SetFrame(0);
    return 0;
}

int LumoWnd::OnEnd() {
    if (document_) {
        timeline_->setFocus(Qt::OtherFocusReason);
        SetFrame(document_->GetFrameCount());
    }
    return 0;
}

int LumoWnd::OnExportVideo() {
    const AudioLoader::Hold hold(*audioLoader_);
    return ExportVideo(this, document_.get(), exportChoices_);
}

} // namespace vel::lumo
