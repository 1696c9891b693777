#include "apps/lumo/shell/ReplaceVideoQuestion.h"

#include "wingui/DialogRunner.h"
#include "wingui/NativePath.h"

#include <QCommandLinkButton>

namespace vel::lumo {

ReplaceVideoQuestion::ReplaceVideoQuestion(QWidget* owner, const std::string& path)
    : LinkQuestion(owner, QStringLiteral("A file with that name is already there."),
                   QStringLiteral("%1\nwould be lost.").arg(wingui::DisplayPath(path))) {
    AddLink(Replace, QStringLiteral("Replace"), QStringLiteral("write the new video over it"));
    AddLink(ChooseAnother, QStringLiteral("Choose Another Name"),
            QStringLiteral("keep the file and go back to the export options"))
        ->setDefault(true);
}

bool ReplaceVideoQuestion::Ask(QWidget* owner, const std::string& path) {
    ReplaceVideoQuestion question(owner, path);
    return wingui::DialogRunner::Exec(question) == Replace;
}

} // namespace vel::lumo
