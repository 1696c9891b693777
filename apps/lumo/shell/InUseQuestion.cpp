#include "apps/lumo/shell/InUseQuestion.h"

#include "apps/lumo/dialogs/VersionInfo.h"
#include "wingui/DialogRunner.h"
#include "wingui/NativePath.h"

#include <QCommandLinkButton>

namespace vel::lumo {

InUseQuestion::InUseQuestion(QWidget* owner, const std::string& path)
    : LinkQuestion(owner,
                   QStringLiteral("The file is open in another %1 window.").arg(ProductCaption()),
                   wingui::DisplayPath(path)) {
    AddLink(ReadOnly, QStringLiteral("Open Read-Only"),
            QStringLiteral("your changes can be saved under another name"))
        ->setDefault(true);
    AddLink(Anyway, QStringLiteral("Open Anyway"),
            QStringLiteral("either window may save over the other's work"));
    AddLink(Cancel, QStringLiteral("Cancel"), QStringLiteral("leave the file closed here"));
}

InUseQuestion::Answer InUseQuestion::Ask(QWidget* owner, const std::string& path) {
    InUseQuestion question(owner, path);
    const int result = wingui::DialogRunner::Exec(question);
    return result == ReadOnly || result == Anyway ? static_cast<Answer>(result) : Cancel;
}

} // namespace vel::lumo
