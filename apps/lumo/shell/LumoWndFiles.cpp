#include "apps/lumo/dialogs/AboutBox.h"
#include "apps/lumo/dialogs/FailureBox.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/recovery/DocumentLock.h"
#include "apps/lumo/shell/Autosaver.h"
#include "apps/lumo/shell/ChangedOnDiskQuestion.h"
#include "apps/lumo/shell/FileTypes.h"
#include "apps/lumo/shell/HelpWnd.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/SaveChangesQuestion.h"
#include "core/File.h"
#include "core/FileErrorText.h"
#include "wingui/FileDialog.h"
#include "wingui/WaitCursor.h"

namespace vel::lumo {

namespace {

void AddDocumentFilters(wingui::BasicFileDialog& dialog) {
    dialog.AddFilter(QStringLiteral("Gourdglowlights"), QStringLiteral("*.") + DocumentExtension);
    dialog.AddFilter(QStringLiteral("All Files"), QStringLiteral("*.*"));
    dialog.SetDefaultExtension(DocumentExtension);
}

} // namespace

bool LumoWnd::QuerySaveChanges() {
    if (!document_ || !document_->IsModified()) {
        return true;
    }
    switch (SaveChangesQuestion::Ask(this, !document_->GetPath().empty())) {
    case SaveChangesQuestion::Save:
        return OnCommand(IdSave) == 0;
    case SaveChangesQuestion::DontSave:
        return true;
    case SaveChangesQuestion::Cancel:
        return false;
    }
    return false;
}

int LumoWnd::OnNew() {
    if (QuerySaveChanges()) {
        SetDocument(LumoDocument::New());
    }
    return 0;
}

int LumoWnd::OnOpen() {
    if (!QuerySaveChanges()) {
        return 0;
    }
    wingui::FileOpenDialog dialog;
    dialog.SetTitle(QStringLiteral("Open a Gourdglowlight File"));
    AddDocumentFilters(dialog);
    if (dialog.Show(this)) {
        OpenFile(dialog.ChosenPath());
    }
    return 0;
}

bool LumoWnd::OpenFile(const std::string& path) {
    std::optional<FileClaim> claim = ClaimFile(path);
    if (!claim) {
        return false;
    }
    std::unique_ptr<LumoDocument> opened;
    core::FileError error;
    {
        const wingui::WaitCursor wait;
        opened = LumoDocument::Open(path, error);
    }
    if (!opened) {
        // Reopening the open file took its lock.
        if (claim->lock && claim->lock->Covers(document_->GetPath())) {
            lock_ = std::move(claim->lock);
        }
        ShowFileError("Error loading file:", path, error, false);
        return false;
    }
    SetDocument(std::move(opened));
    lock_ = std::move(claim->lock);
    readOnly_ = claim->readOnly;
    UpdateCaption();
    recentFiles_.Add(path);
    recentFiles_.Save(Settings());
    return true;
}

int LumoWnd::OnSave() {
    if (!document_ || !document_->IsModified()) {
        return 0;
    }
    if (document_->GetPath().empty() || readOnly_) {
        return OnCommand(IdSaveAs);
    }
    if (const auto now = DiskStamp::Of(document_->GetPath()); now != diskStamp_) {
        switch (ChangedOnDiskQuestion::Ask(this, document_->GetPath(), !now)) {
        case ChangedOnDiskQuestion::Overwrite:
            break;
        case ChangedOnDiskQuestion::SaveAs:
            return OnCommand(IdSaveAs);
        case ChangedOnDiskQuestion::Cancel:
            return -1;
        }
    }
    return SaveToFile(document_->GetPath()) ? 0 : -1;
}

int LumoWnd::OnSaveAs() {
    if (!document_) {
        return 0;
    }
    wingui::FileSaveDialog dialog;
    dialog.SetTitle(QStringLiteral("Save Gourdglowlight File"));
    AddDocumentFilters(dialog);
    dialog.SetInitialName(proposedPath_);
    if (!dialog.Show(this)) {
        return -1;
    }
    if (!SaveToFile(dialog.ChosenPath())) {
        return -1;
    }
    recentFiles_.Add(dialog.ChosenPath());
    recentFiles_.Save(Settings());
    return 0;
}

bool LumoWnd::SaveToFile(const std::string& path) {
    bool saved = false;
    {
        const wingui::WaitCursor wait;
        saved = document_->Save(path);
    }
    if (saved) {
        diskStamp_ = DiskStamp::Of(path);
        ClaimSavedFile(path);
        autosave_->Discard();
    } else {
        ShowFileError("Error saving to file:", path, document_->GetFileError(), true);
    }
    UpdateCaption();
    return saved;
}

void LumoWnd::ShowFileError(const char* what, const std::string& path, const core::FileError& error,
                            bool writing) {
    ShowFailure(this, what, path,
                core::FileErrorText(error, writing ? core::FileOperation::Writing
                                                   : core::FileOperation::Reading));
}

int LumoWnd::OnRecentFile(std::size_t index) {
    if (index >= recentFiles_.GetEntries().size()) {
        return 0;
    }
    // A copy: opening reorders the list.
    const std::string path = recentFiles_.GetEntries()[index];
    if (QuerySaveChanges()) {
        OpenFile(path);
    }
    return 0;
}

int LumoWnd::OnTutorial() {
    Help().ShowTutorial();
    return 0;
}

int LumoWnd::OnKeyboardShortcuts() {
    Help().ShowShortcuts();
    return 0;
}

HelpWnd& LumoWnd::Help() {
    if (!help_) {
        help_ = std::make_unique<HelpWnd>(this);
    }
    return *help_;
}

int LumoWnd::OnAbout() {
    AboutBox::Show(this);
    return 0;
}

} // namespace vel::lumo
