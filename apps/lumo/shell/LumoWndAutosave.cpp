#include "apps/lumo/recovery/DocumentLock.h"
#include "apps/lumo/shell/Autosaver.h"
#include "apps/lumo/shell/InUseQuestion.h"
#include "apps/lumo/shell/LumoWnd.h"

#include <QStatusBar>
#include <algorithm>

namespace vel::lumo {

namespace {

const QString AutosaveSecondsName = QStringLiteral("AutosaveSeconds");
constexpr uint32_t DefaultAutosaveSeconds = 60;
// A day: beyond it a copy would protect nothing a user remembers.
constexpr uint32_t LongestAutosaveSeconds = 24 * 60 * 60;

} // namespace

std::unique_ptr<Autosaver> LumoWnd::CreateAutosaver() {
    const uint32_t seconds =
        std::min(Settings().ReadDwordValue(AutosaveSecondsName).value_or(DefaultAutosaveSeconds),
                 LongestAutosaveSeconds);
    return std::make_unique<Autosaver>(RecoveryStore(RecoveryStore::DefaultFolder()),
                                       std::chrono::seconds(seconds),
                                       [this](const QString& status) { ShowStatus(status); });
}

void LumoWnd::ShowStatus(const QString& text) {
    if (!text.isEmpty()) {
        statusBar()->showMessage(text);
    } else if (auto* bar = findChild<QStatusBar*>()) {
        bar->clearMessage();
    }
}

void LumoWnd::OpenRecovered(std::unique_ptr<LumoDocument> document, const RecoveryRecord& record,
                            const std::string& copyId) {
    document->DetachFromFile();
    SetDocument(std::move(document));
    if (!record.IsUntitled()) {
        proposedPath_ = record.document;
        autosave_->SetName(record.document);
    }
    autosave_->TakeOver(copyId);
}

std::optional<LumoWnd::FileClaim> LumoWnd::ClaimFile(const std::string& path) {
    if (lock_ && lock_->Covers(path)) {
        return FileClaim{std::move(lock_), false};
    }
    DocumentLock::Outcome outcome = DocumentLock::Outcome::Failed;
    FileClaim claim{DocumentLock::Take(autosave_->Store().Folder(), path, outcome), false};
    if (outcome != DocumentLock::Outcome::HeldElsewhere) {
        return claim;
    }
    switch (InUseQuestion::Ask(this, path)) {
    case InUseQuestion::ReadOnly:
        claim.readOnly = true;
        return claim;
    case InUseQuestion::Anyway:
        // Holding the claim too keeps others warned after the first holder is gone.
        claim.lock = DocumentLock::Share(autosave_->Store().Folder(), path);
        return claim;
    case InUseQuestion::Cancel:
        break;
    }
    return std::nullopt;
}

void LumoWnd::ClaimSavedFile(const std::string& path) {
    readOnly_ = false;
    if (!lock_ || !lock_->Covers(path)) {
        DocumentLock::Outcome outcome = DocumentLock::Outcome::Failed;
        lock_ = DocumentLock::Take(autosave_->Store().Folder(), path, outcome);
    }
}

} // namespace vel::lumo
