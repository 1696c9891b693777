#pragma once

#include "apps/lumo/shell/LinkQuestion.h"

#include <string>

namespace vel::lumo {

// The question before Save writes over a file that another program changed,
// replaced or removed since the document was opened or last saved.
class ChangedOnDiskQuestion : public LinkQuestion {
public:
    // A closed dialog answers Cancel.
    enum Answer { Overwrite = 1, SaveAs = 3, Cancel = 2 };

    ChangedOnDiskQuestion(QWidget* owner, const std::string& path, bool removed);

    // Asks through the dialog runner.
    static Answer Ask(QWidget* owner, const std::string& path, bool removed);
};

} // namespace vel::lumo
