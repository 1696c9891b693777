#pragma once

#include "apps/lumo/shell/LinkQuestion.h"

#include <string>

namespace vel::lumo {

// The question before opening a file that another run of the program has
// open: saving from both would let one overwrite the other's work.
class InUseQuestion : public LinkQuestion {
public:
    // A closed dialog answers Cancel.
    enum Answer { ReadOnly = 1, Anyway = 3, Cancel = 2 };

    InUseQuestion(QWidget* owner, const std::string& path);

    // Asks through the dialog runner.
    static Answer Ask(QWidget* owner, const std::string& path);
};

} // namespace vel::lumo
