#pragma once

#include "apps/lumo/dialogs/ExportChoices.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/View.h"
#include "apps/lumo/document/ViewRegistration.h"
#include "apps/lumo/model/LiveKnobs.h"
#include "apps/lumo/panes/PaneHost.h"
#include "apps/lumo/recovery/DiskStamp.h"
#include "apps/lumo/shell/AudioFileLoad.h"
#include "apps/lumo/shell/PacerClock.h"
#include "apps/lumo/shell/RecentFiles.h"
#include "apps/lumo/shell/SplitProportions.h"
#include "wingui/ButtonBarTarget.h"
#include "wingui/DragController.h"
#include "wingui/MainWindowImpl.h"

#include <QPoint>
#include <QPointer>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>

class QAction;
class QMenu;

namespace vel::lumo {

class AudioLoader;
class AudioWnd;
class Autosaver;
class PlaybackController;
class DocumentLock;
class HelpWnd;
class HeldExpressions;
class LiveMicrophone;
struct KeyBinding;
struct RecoveryRecord;
class PreviewWnd;
class ShapeWnd;
class ShowWnd;
class StatusLine;
class TakeRecorder;
class TimelineWnd;
class TransportBar;

// The program's one main window: it owns the open document and the five
// panes, lays them out between two splitters, routes every command and
// shortcut key, runs the message loop that steps playback and keeps the
// caption and the menus in step with the document.
class LumoWnd : public wingui::MainWindowImpl<LumoWnd>,
                public PaneHost,
                public wingui::ButtonBarTarget,
                private View {
public:
    // The clock is the system's unless a test hands in its own.
    explicit LumoWnd(PacerClock* clock = nullptr);
    ~LumoWnd() override;

    void SetDocument(std::unique_ptr<LumoDocument> document);
    LumoDocument* GetDocument() const { return document_.get(); }
    void SetFrame(uint32_t frame);
    void Play();
    void Stop();
    bool IsPlaying() const;
    // Whether the show on the projector runs; the editor does not play then.
    bool IsShowing() const;
    ShowWnd* Show() const { return show_.get(); }
    // The knobs held live over the timeline, in the show and the preview.
    LiveKnobs& GetLiveKnobs() { return liveKnobs_; }
    // Whether the microphone moves the mouth.
    bool IsLive() const;
    bool IsRecording() const;
    // Starts the show on the screen of that index, or on the one chosen
    // before.
    int OnShowOnProjector(std::optional<std::size_t> screenIndex);
    void UpdateCaption();
    // Runs until the window is closed; answers the exit code.
    int RunMessageLoop();
    // One frame of playback: waits for its deadline, then shows the next frame
    // or stops at the end.
    void PlaybackStep();
    // One turn of playback in the message loop: the next frame once its
    // deadline is near; answers how long events may be waited for.
    PacerClock::Duration PlaybackTurn();

    // Answers the command's result: 0, or -1 for a failed or cancelled save.
    int OnCommand(uint32_t id) override;
    void RequestFrame(uint32_t frame) override { SetFrame(frame); }
    void RequestSelection(const Selection& selection) override;
    uint32_t GetFrame() const override { return frame_; }
    void OnBarCommand(std::uint32_t commandId) override { OnCommand(commandId); }

    // The file commands' steps.
    bool QuerySaveChanges();
    bool OpenFile(const std::string& path);
    bool SaveToFile(const std::string& path);
    const RecentFiles& GetRecentFiles() const { return recentFiles_; }
    // Shows work recovered from the copy with that id as a modified document
    // without a file, whose save proposes the file it came from; the copy
    // becomes this window's own.
    void OpenRecovered(std::unique_ptr<LumoDocument> document, const RecoveryRecord& record,
                       const std::string& copyId);
    Autosaver& GetAutosaver() const { return *autosave_; }
    // Reads the sound file in the background; the document takes its clip
    // as one undoable step once it is read, unless Escape cancels it first.
    void LoadAudio(const std::string& path);
    bool IsLoadingAudio() const;
    // Whether the open file is open in another run too and must be saved
    // under another name.
    bool IsReadOnly() const { return readOnly_; }
    // A message in the window's one status bar; an empty text clears it.
    void ShowStatus(const QString& text);

    // Recomputes which menu items are enabled and the labels that change.
    void UpdateMenuState();
    QAction* Action(uint32_t id) const;

    void Layout();
    int GetXSplit() const { return xSplit_; }
    int GetYSplit() const { return ySplit_; }
    QWidget* ClientArea() const { return client_; }

    AudioWnd* Audio() const { return audio_; }
    PreviewWnd* Preview() const { return preview_; }
    ShapeWnd* Shapes() const { return shapes_; }
    TimelineWnd* Timeline() const { return timeline_; }
    TransportBar* Transport() const { return transport_; }
    StatusLine* Status() const { return status_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // How long a command's outcome shows in the status bar: long enough to
    // read; then the hints under the mouse show again.
    static constexpr int OutcomeShownMs = 20000;

    // Hands the document, or none, to every pane; a drag in progress is put
    // back while the old document still lives.
    void ShowInPanes(LumoDocument* document);
    void OnDocumentChange(Document* document, uint32_t changes) override;

    void CreateMenus();
    std::unique_ptr<Autosaver> CreateAutosaver();
    struct FileClaim {
        std::unique_ptr<DocumentLock> lock;
        bool readOnly = false;
    };
    // Marks the file as open here; when another run has it open, asks
    // whether to open it read-only, anyway, or not at all (nothing).
    std::optional<FileClaim> ClaimFile(const std::string& path);
    void ClaimSavedFile(const std::string& path);
    QAction* AddCommand(QMenu* menu, uint32_t id, const QString& text);

    int OnNew();
    int OnOpen();
    int OnNewFromTemplate();
    int OnSaveAsTemplate();
    int OnSave();
    int OnSaveAs();
    int OnRecentFile(std::size_t index);
    int OnExportVideo();
    int OnLoadAudio();
    void OnAudioLoaded(const std::string& path, AudioFileLoad::Outcome outcome);
    int OnUndoRedo(bool redo);
    int OnAnimate(uint32_t id);
    int OnExpressionKeys();
    int OnPlay();
    void OnShowEnded();
    void UpdateShowMenu();
    int OnLiveVoice();
    int OnLiveInput(std::size_t index);
    int OnQuietNow();
    void OnLiveVoiceFailed(const QString& message);
    void UpdateLiveVoiceMenu();
    int OnRecordTake();
    // Puts the take into the document, telling why it ended when not asked.
    void EndTake(const QString& why);
    int OnHome();
    int OnEnd();
    int OnTutorial();
    int OnStatusBar();
    int OnAbout();
    int OnKeyboardShortcuts();
    int OnTracePhoto();
    int OnRemovePhoto();
    int OnViewPhoto();
    void UpdatePhotoMenuState();
    HelpWnd& Help();
    void MoveBy(int64_t frames);
    // Answers whether the key did anything.
    bool RunKey(const KeyBinding& binding, int repeat);
    void ShowFileError(const char* what, const std::string& path, const core::FileError& error,
                       bool writing);

    void PlacePanes();
    void OnClientResized();
    void PaintSplitters();
    bool OnVerticalSplitter(QPoint p) const;
    bool OnHorizontalSplitter(QPoint p) const;
    void UpdateSplitterCursor(QPoint p);
    void StartSplitterDrag(QPoint p);
    int SplitterWidth() const;
    int SplitterHeight() const;

    std::unique_ptr<PacerClock> ownClock_;
    PacerClock* clock_;
    QWidget* client_;
    AudioWnd* audio_;
    PreviewWnd* preview_;
    // What had the focus in this window last, to have it again when the
    // window itself takes the focus back.
    QPointer<QWidget> activePane_;
    ShapeWnd* shapes_;
    TimelineWnd* timeline_;
    TransportBar* transport_;
    StatusLine* status_;
    std::unique_ptr<LumoDocument> document_;
    ViewRegistration registration_;
    uint32_t frame_ = 0;
    std::unique_ptr<PlaybackController> playback_;
    int xSplit_ = 480;
    int ySplit_ = 480;
    SplitProportions splitProportions_;
    // Whether the client area has been painted, and so the start-up's
    // resizes are over.
    bool shown_ = false;
    wingui::DragController splitterDrag_;
    RecentFiles recentFiles_;
    std::map<uint32_t, QAction*> actions_;
    bool closed_ = false;
    std::unique_ptr<Autosaver> autosave_;
    std::unique_ptr<AudioLoader> audioLoader_;
    // Where a document recovered from a copy was saved before.
    std::string proposedPath_;
    // The document's file as it was when opened or last saved.
    std::optional<DiskStamp> diskStamp_;
    std::unique_ptr<DocumentLock> lock_;
    bool readOnly_ = false;
    std::unique_ptr<HelpWnd> help_;
    LiveKnobs liveKnobs_;
    // Goes after the microphone that feeds it.
    std::unique_ptr<TakeRecorder> take_;
    std::unique_ptr<LiveMicrophone> microphone_;
    // Goes before the live knobs it moves.
    std::unique_ptr<HeldExpressions> expressions_;
    // Goes before the document it shows and the live knobs it watches.
    std::unique_ptr<ShowWnd> show_;
    ExportChoices exportChoices_;
};

} // namespace vel::lumo
