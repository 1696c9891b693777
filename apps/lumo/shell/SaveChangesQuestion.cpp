#include "apps/lumo/shell/SaveChangesQuestion.h"

#include "wingui/DialogRunner.h"

#include <QCommandLinkButton>

namespace vel::lumo {

SaveChangesQuestion::SaveChangesQuestion(QWidget* owner, bool documentHasPath)
    : LinkQuestion(owner, QStringLiteral("Do you want to save your work first?"),
                   QStringLiteral("You've made changes to this gourdglowlight that have not been "
                                  "saved to a file.")) {
    AddLink(Save, QStringLiteral("Save"),
            documentHasPath ? QStringLiteral("to the current file")
                            : QStringLiteral("to the file of your choice"))
        ->setDefault(true);
    AddLink(DontSave, QStringLiteral("Don't Save"), QStringLiteral("your changes will be lost"));
    AddLink(Cancel, QStringLiteral("Cancel"), QStringLiteral("keep this gourdglowlight open"));
}

SaveChangesQuestion::Answer SaveChangesQuestion::Ask(QWidget* owner, bool documentHasPath) {
    SaveChangesQuestion question(owner, documentHasPath);
    const int result = wingui::DialogRunner::Exec(question);
    return result == Save || result == DontSave ? static_cast<Answer>(result) : Cancel;
}

} // namespace vel::lumo
