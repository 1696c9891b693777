#pragma once

#include "apps/lumo/shell/LinkQuestion.h"

#include <QString>

namespace vel::lumo {

// The questions before one of the user's own faces is lost.

// The question before the gallery deletes one of them.
class DeleteTemplateQuestion : public LinkQuestion {
public:
    // A closed dialog answers Keep.
    enum Answer { Delete = 1, Keep = 2 };

    DeleteTemplateQuestion(QWidget* owner, const QString& name);

    // Asks through the dialog runner; answers whether to delete the face.
    static bool Ask(QWidget* owner, const QString& name);
};

// The question before Save as Template replaces one of the user's own faces
// that has the same name.
class ReplaceTemplateQuestion : public LinkQuestion {
public:
    // A closed dialog answers Keep.
    enum Answer { Replace = 1, Keep = 2 };

    ReplaceTemplateQuestion(QWidget* owner, const QString& name);

    // Asks through the dialog runner; answers whether to replace the face.
    static bool Ask(QWidget* owner, const QString& name);
};

} // namespace vel::lumo
