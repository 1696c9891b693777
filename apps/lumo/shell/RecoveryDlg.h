#pragma once

#include "apps/lumo/shell/LeftCopies.h"

#include <QDialog>
#include <cstddef>
#include <optional>
#include <vector>

namespace vel::lumo {

// Offers the copies a run that ended unexpectedly left: one row per copy,
// naming the document and the time of the copy, with Recover, Discard and
// Later. One choice ends the dialog; closing it means Later for every copy.
class RecoveryDlg : public QDialog {
public:
    enum Choice { Recover, Discard, Later };
    struct Decision {
        std::size_t index;
        Choice choice;
    };

    RecoveryDlg(QWidget* owner, const std::vector<LeftCopy>& copies);

    // The dialog's result for a choice on the copy at index, and back.
    static int Result(Decision decision);
    static std::optional<Decision> Decode(int result, std::size_t copies);
};

} // namespace vel::lumo
