#include "apps/lumo/shell/RecoveryOffer.h"

#include "apps/lumo/recovery/RecoveryLeftCopies.h"
#include "apps/lumo/recovery/RecoveryStore.h"
#include "apps/lumo/shell/DiscardAllQuestion.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/RecoveryDlg.h"
#include "core/FileErrorText.h"
#include "wingui/DialogRunner.h"

namespace vel::lumo {

namespace {

// Removes the copies that match, and their rows.
template <typename Match>
void DiscardWhere(const RecoveryStore& store, std::vector<LeftCopy>& copies, Match match) {
    std::erase_if(copies, [&](const LeftCopy& copy) {
        if (!match(copy)) {
            return false;
        }
        store.Remove(copy.id);
        return true;
    });
}

// Opens the copy for the window; a copy that cannot be opened keeps its row,
// which then says why.
bool Recover(LumoWnd& window, const RecoveryStore& store, LeftCopy& copy) {
    core::FileError error;
    std::unique_ptr<LumoDocument> document = LumoDocument::Open(store.CopyPath(copy.id), error);
    if (!document) {
        copy.damage = core::FileErrorText(error, core::FileOperation::Reading);
        return false;
    }
    window.OpenRecovered(std::move(document), copy.record, copy.id);
    return true;
}

} // namespace

bool OfferRecovery(LumoWnd& window, const RecoveryStore& store) {
    // A folder that is not what it should be is not read: the autosave
    // says why it is off.
    if (store.Fault()) {
        return false;
    }
    std::vector<LeftCopy> copies = FindLeftCopies(store);
    while (!copies.empty()) {
        RecoveryDlg question(&window, copies);
        const auto decision =
            RecoveryDlg::Decode(wingui::DialogRunner::Exec(question), copies.size());
        if (!decision) {
            return false;
        }
        const auto row = copies.begin() + static_cast<std::ptrdiff_t>(decision->index);
        switch (decision->choice) {
        case RecoveryDlg::Recover:
            if (Recover(window, store, *row)) {
                return true;
            }
            break;
        case RecoveryDlg::Discard:
            store.Remove(row->id);
            copies.erase(row);
            break;
        case RecoveryDlg::Later:
            copies.erase(row);
            break;
        case RecoveryDlg::DiscardOld:
            DiscardWhere(store, copies, [](const LeftCopy& copy) { return copy.old; });
            break;
        case RecoveryDlg::DiscardAll:
            if (DiscardAllQuestion::Ask(&window, copies.size())) {
                DiscardWhere(store, copies, [](const LeftCopy&) { return true; });
            }
            break;
        }
    }
    return false;
}

} // namespace vel::lumo
