#pragma once

#include "apps/lumo/shell/LinkQuestion.h"

#include <cstddef>

namespace vel::lumo {

// The question before every left copy is removed at once: the work in them
// cannot come back afterwards.
class DiscardAllQuestion : public LinkQuestion {
public:
    // A closed dialog answers Keep.
    enum Answer { Discard = 1, Keep = 2 };

    DiscardAllQuestion(QWidget* owner, std::size_t copies);

    // Asks through the dialog runner; answers whether to discard them all.
    static bool Ask(QWidget* owner, std::size_t copies);
};

} // namespace vel::lumo
