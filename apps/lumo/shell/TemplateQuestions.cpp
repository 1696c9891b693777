#include "apps/lumo/shell/TemplateQuestions.h"

#include "wingui/DialogRunner.h"

#include <QCommandLinkButton>

namespace vel::lumo {

DeleteTemplateQuestion::DeleteTemplateQuestion(QWidget* owner, const QString& name)
    : LinkQuestion(owner, QStringLiteral("Delete the face \"%1\"?").arg(name),
                   QStringLiteral("It is one of your own faces; once deleted, the gallery "
                                  "no longer offers it.")) {
    AddLink(Delete, QStringLiteral("Delete"), QStringLiteral("remove the face for good"));
    AddLink(Keep, QStringLiteral("Keep"), QStringLiteral("leave the face in the gallery"))
        ->setDefault(true);
}

bool DeleteTemplateQuestion::Ask(QWidget* owner, const QString& name) {
    DeleteTemplateQuestion question(owner, name);
    return wingui::DialogRunner::Exec(question) == Delete;
}

ReplaceTemplateQuestion::ReplaceTemplateQuestion(QWidget* owner, const QString& name)
    : LinkQuestion(owner, QStringLiteral("One of your faces is already called \"%1\".").arg(name),
                   QStringLiteral("Replacing it puts this face in its place in the gallery.")) {
    AddLink(Replace, QStringLiteral("Replace"), QStringLiteral("save this face over it"));
    AddLink(Keep, QStringLiteral("Keep It"),
            QStringLiteral("save nothing; the face stays as it is"))
        ->setDefault(true);
}

bool ReplaceTemplateQuestion::Ask(QWidget* owner, const QString& name) {
    ReplaceTemplateQuestion question(owner, name);
    return wingui::DialogRunner::Exec(question) == Replace;
}

} // namespace vel::lumo
