#pragma once

#include "apps/lumo/recovery/RecoveryLeftCopies.h"

#include <QDialog>
#include <cstddef>
#include <optional>
#include <vector>

class QScrollArea;

namespace vel::lumo {

// Offers the copies a run that ended unexpectedly left: one row per copy,
// naming the document and the time of the copy, with Recover, Discard and
// Later, and below them Discard All and, when there are copies older than a
// month, a button that discards those. The rows scroll within the screen.
// One choice ends the dialog; closing it means Later for every copy. Return
// recovers the newest copy that can be recovered.
class RecoveryDlg : public QDialog {
public:
    // The first three are a row's; the others are the whole list's.
    enum Choice { Recover, Discard, Later, DiscardOld, DiscardAll };
    struct Decision {
        std::size_t index;
        Choice choice;
    };

    RecoveryDlg(QWidget* owner, const std::vector<LeftCopy>& copies);

    // The dialog's result for a choice on the copy at index, and back.
    static int Result(Decision decision);
    static std::optional<Decision> Decode(int result, std::size_t copies);

private:
    // As wide as the rows, and as tall as they are where the screen has room.
    void FitRows(QScrollArea& scroll, const QWidget& rows);
};

} // namespace vel::lumo
