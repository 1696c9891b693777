#pragma once

#include "apps/lumo/shell/LinkQuestion.h"

namespace vel::lumo {

// The question before the open document is discarded with unsaved changes:
// three command links, Escape and the close box cancelling.
class SaveChangesQuestion : public LinkQuestion {
public:
    // The dialog's results, one per link; a closed dialog answers Rejected.
    enum Answer { Save = 6, DontSave = 7, Cancel = 2 };

    SaveChangesQuestion(QWidget* owner, bool documentHasPath);

    // Asks through the dialog runner.
    static Answer Ask(QWidget* owner, bool documentHasPath);
};

} // namespace vel::lumo
