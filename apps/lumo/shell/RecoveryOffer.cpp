#include "apps/lumo/shell/RecoveryOffer.h"

#include "apps/lumo/shell/LeftCopies.h"
#include "apps/lumo/shell/LumoWnd.h"
#include "apps/lumo/shell/RecoveryDlg.h"
#include "apps/lumo/shell/RecoveryStore.h"
#include "wingui/DialogRunner.h"

namespace vel::lumo {

bool OfferRecovery(LumoWnd& window, const RecoveryStore& store) {
    std::vector<LeftCopy> copies = FindLeftCopies(store);
    while (!copies.empty()) {
        RecoveryDlg question(&window, copies);
        const auto decision =
            RecoveryDlg::Decode(wingui::DialogRunner::Exec(question), copies.size());
        if (!decision) {
            return false;
        }
        LeftCopy& copy = copies[decision->index];
        switch (decision->choice) {
        case RecoveryDlg::Recover:
            if (!copy.document) {
                break;
            }
            window.OpenRecovered(std::move(copy.document), copy.record, copy.id);
            return true;
        case RecoveryDlg::Discard:
            store.Remove(copy.id);
            break;
        case RecoveryDlg::Later:
            break;
        }
        copies.erase(copies.begin() + static_cast<std::ptrdiff_t>(decision->index));
    }
    return false;
}

} // namespace vel::lumo
