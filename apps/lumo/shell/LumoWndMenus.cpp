#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/shell/KeyTable.h"
#include "apps/lumo/shell/LumoWnd.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

namespace vel::lumo {

namespace {

// "&Undo Move Point": the history command names the step it acts on, and
// reads plain "&Undo" when there is none.
void NameStep(QAction* action, const QString& verb, const std::string& step) {
    const QString name = QString::fromStdString(step).replace(u'&', QStringLiteral("&&"));
    action->setText(MenuText(step.empty() ? verb : verb + u' ' + name, action->data().toUInt()));
}

} // namespace

QAction* LumoWnd::AddCommand(QMenu* menu, uint32_t id, const QString& text) {
    // The text after the tab shows the key. The key table's keys are handled
    // by the window, whichever pane has the focus; a key a label names by
    // itself (Fit Preview's) belongs to the pane that has it.
    QAction* action = menu->addAction(MenuText(text, id));
    action->setData(id);
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    actions_[id] = action;
    return action;
}

void LumoWnd::CreateMenus() {
    QMenuBar* bar = menuBar();
    QMenu* file = bar->addMenu(QStringLiteral("&File"));
    AddCommand(file, IdNew, QStringLiteral("&New"));
    AddCommand(file, IdNewFromTemplate, QStringLiteral("New from Tem&plate..."));
    AddCommand(file, IdOpen, QStringLiteral("&Open..."));
    AddCommand(file, IdClose, QStringLiteral("&Close"));
    AddCommand(file, IdSave, QStringLiteral("&Save"));
    AddCommand(file, IdSaveAs, QStringLiteral("Save &As..."));
    AddCommand(file, IdSaveAsTemplate, QStringLiteral("Save as Te&mplate..."));
    file->addSeparator();
    AddCommand(file, IdExportVideo, QStringLiteral("Export &Video..."));
    file->addSeparator();
    AddCommand(file, IdTracePhoto, QStringLiteral("&Trace Photo..."));
    AddCommand(file, IdRemovePhoto, QStringLiteral("Remove P&hoto"));
    file->addSeparator();
    QMenu* recent = file->addMenu(QStringLiteral("&Recent Files"));
    for (uint32_t id = IdRecentFile1; id <= IdRecentFile4; ++id) {
        AddCommand(recent, id, recentFiles_.MenuLabel(id - IdRecentFile1));
    }
    file->addSeparator();
    AddCommand(file, IdExit, QStringLiteral("E&xit"));

    QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
    AddCommand(edit, IdLoadAudio, QStringLiteral("Load &Audio"));
    edit->addSeparator();
    AddCommand(edit, IdUndo, QStringLiteral("&Undo"));
    AddCommand(edit, IdRedo, QStringLiteral("&Redo"));

    QMenu* animate = bar->addMenu(QStringLiteral("&Animate"));
    AddCommand(animate, IdLipSync, QStringLiteral("&Lip Sync from Audio..."));
    AddCommand(animate, IdAddBlinks, QStringLiteral("Add &Blinks..."));
    AddCommand(animate, IdCandleFlicker, QStringLiteral("Candle &Flicker..."));
    animate->addSeparator();
    AddCommand(animate, IdExpressionKeys, QStringLiteral("&Expression Keys..."));

    QMenu* view = bar->addMenu(QStringLiteral("&View"));
    AddCommand(view, IdPlay, QStringLiteral("&Play"));
    QMenu* show = view->addMenu(QStringLiteral("Show on P&rojector"));
    AddCommand(show, IdShowOnProjector, QStringLiteral("&Start Show"));
    show->addSeparator();
    for (uint32_t id = IdShowScreen1; id <= IdShowScreen8; ++id) {
        AddCommand(show, id, QString())->setCheckable(true);
    }
    QMenu* live = view->addMenu(QStringLiteral("&Live Voice"));
    AddCommand(live, IdLiveVoice, QStringLiteral("&Live Voice"))->setCheckable(true);
    AddCommand(live, IdQuietNow, QStringLiteral("&Quiet Now"));
    AddCommand(live, IdRecordTake, QStringLiteral("&Record Take"))->setCheckable(true);
    live->addSeparator();
    for (uint32_t id = IdLiveInput1; id <= IdLiveInput8; ++id) {
        AddCommand(live, id, QString())->setCheckable(true);
    }
    view->addSeparator();
    AddCommand(view, IdHome, QStringLiteral("Home"));
    AddCommand(view, IdEnd, QStringLiteral("End"));
    view->addSeparator();
    AddCommand(view, IdFitPreview, QStringLiteral("&Fit Preview\tCtrl+0"));
    AddCommand(view, IdStatusBar, QStringLiteral("&Status Bar"))->setCheckable(true);
    AddCommand(view, IdViewPhoto, QStringLiteral("P&hoto"))->setCheckable(true);

    QMenu* help = bar->addMenu(QStringLiteral("&Help"));
    AddCommand(help, IdTutorial, QStringLiteral("&Tutorial"));
    AddCommand(help, IdKeyboardShortcuts, QStringLiteral("&Keyboard Shortcuts"));
    help->addSeparator();
    AddCommand(help, IdAbout, QStringLiteral("&About Vellumar Gourdglowlight"));

    for (QMenu* menu : {file, recent, edit, animate, view, show, live, help}) {
        connect(menu, &QMenu::aboutToShow, this, &LumoWnd::UpdateMenuState);
    }
}

QAction* LumoWnd::Action(uint32_t id) const {
    const auto found = actions_.find(id);
    return found == actions_.end() ? nullptr : found->second;
}

void LumoWnd::UpdateMenuState() {
    const bool hasDocument = document_ != nullptr;
    Action(IdPlay)->setText(
        MenuText(IsPlaying() ? QStringLiteral("Pause") : QStringLiteral("Play"), IdPlay));
    for (uint32_t id = IdRecentFile1; id <= IdRecentFile4; ++id) {
        const std::size_t index = id - IdRecentFile1;
        Action(id)->setText(recentFiles_.MenuLabel(index));
        Action(id)->setEnabled(index < recentFiles_.GetEntries().size());
    }
    Action(IdSave)->setEnabled(hasDocument && document_->IsModified());
    for (uint32_t id : {IdSaveAs, IdSaveAsTemplate, IdExportVideo, IdLoadAudio, IdLipSync,
                        IdAddBlinks, IdCandleFlicker, IdExpressionKeys}) {
        Action(id)->setEnabled(hasDocument);
    }
    Action(IdUndo)->setEnabled(hasDocument && document_->GetUndoCount() > 0);
    Action(IdRedo)->setEnabled(hasDocument && document_->GetRedoCount() > 0);
    NameStep(Action(IdUndo), QStringLiteral("&Undo"), hasDocument ? document_->GetUndoName() : "");
    NameStep(Action(IdRedo), QStringLiteral("&Redo"), hasDocument ? document_->GetRedoName() : "");
    Action(IdHome)->setEnabled(hasDocument && frame_ != 0);
    Action(IdEnd)->setEnabled(hasDocument && frame_ < document_->GetFrameCount());
    Action(IdStatusBar)->setChecked(!statusBar()->isHidden());
    Action(IdPlay)->setEnabled(hasDocument && !IsShowing());
    UpdateShowMenu();
    UpdateLiveVoiceMenu();
    UpdatePhotoMenuState();
}

} // namespace vel::lumo
