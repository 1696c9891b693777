#include "apps/lumo/shell/DiscardAllQuestion.h"

#include "wingui/DialogRunner.h"

#include <QCommandLinkButton>

namespace vel::lumo {

DiscardAllQuestion::DiscardAllQuestion(QWidget* owner, std::size_t copies)
    : LinkQuestion(owner,
                   copies == 1
                       ? QStringLiteral("Discard the unsaved work?")
                       : QStringLiteral("Discard the unsaved work of all %1 copies?").arg(copies),
                   copies == 1 ? QStringLiteral("What it holds cannot be recovered afterwards.")
                               : QStringLiteral("What they hold cannot be recovered afterwards.")) {
    AddLink(Discard, QStringLiteral("Discard All"), QStringLiteral("remove every copy"));
    AddLink(Keep, QStringLiteral("Keep Them"), QStringLiteral("go back to the list"))
        ->setDefault(true);
}

bool DiscardAllQuestion::Ask(QWidget* owner, std::size_t copies) {
    DiscardAllQuestion question(owner, copies);
    return wingui::DialogRunner::Exec(question) == Discard;
}

} // namespace vel::lumo
