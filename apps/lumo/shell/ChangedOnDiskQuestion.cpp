#include "apps/lumo/shell/ChangedOnDiskQuestion.h"

#include "wingui/DialogRunner.h"
#include "wingui/NativePath.h"

#include <QCommandLinkButton>

namespace vel::lumo {

ChangedOnDiskQuestion::ChangedOnDiskQuestion(QWidget* owner, const std::string& path, bool removed)
    : LinkQuestion(owner,
                   QStringLiteral("The file was changed by another program since you opened it."),
                   (removed ? QStringLiteral("%1\nis no longer there.")
                            : QStringLiteral("%1\nholds what the other program wrote."))
                       .arg(wingui::DisplayPath(path))) {
    AddLink(Overwrite, QStringLiteral("Overwrite"),
            removed ? QStringLiteral("save your work under that name again")
                    : QStringLiteral("replace the other program's version with your work"));
    AddLink(SaveAs, QStringLiteral("Save As"), QStringLiteral("keep both, under another name"))
        ->setDefault(true);
    AddLink(Cancel, QStringLiteral("Cancel"), QStringLiteral("save nothing for now"));
}

ChangedOnDiskQuestion::Answer ChangedOnDiskQuestion::Ask(QWidget* owner, const std::string& path,
                                                         bool removed) {
    ChangedOnDiskQuestion question(owner, path, removed);
    const int result = wingui::DialogRunner::Exec(question);
    return result == Overwrite || result == SaveAs ? static_cast<Answer>(result) : Cancel;
}

} // namespace vel::lumo
