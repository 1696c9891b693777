#pragma once

#include "apps/lumo/shell/LinkQuestion.h"

#include <string>

namespace vel::lumo {

// The question before an export writes over a file that is already there.
class ReplaceVideoQuestion : public LinkQuestion {
public:
    // A closed dialog answers ChooseAnother.
    enum Answer { Replace = 1, ChooseAnother = 2 };

    ReplaceVideoQuestion(QWidget* owner, const std::string& path);

    // Asks through the dialog runner; answers whether to replace the file.
    static bool Ask(QWidget* owner, const std::string& path);
};

} // namespace vel::lumo
