#include "apps/lumo/shell/SaveChangesQuestion.h"

#include "apps/lumo/dialogs/VersionInfo.h"
#include "wingui/DialogRunner.h"

#include <QCommandLinkButton>
#include <QLabel>
#include <QVBoxLayout>

namespace vel::lumo {

SaveChangesQuestion::SaveChangesQuestion(QWidget* owner, bool documentHasPath) : QDialog(owner) {
    if (owner != nullptr) {
        setWindowIcon(owner->windowIcon());
    }
    setWindowTitle(ProductCaption());
    auto* layout = new QVBoxLayout(this);
    auto* instruction = new QLabel(QStringLiteral("Do you want to save your work first?"), this);
    QFont large = instruction->font();
    large.setPointSizeF(large.pointSizeF() * 1.25);
    large.setWeight(QFont::DemiBold);
    instruction->setFont(large);
    layout->addWidget(instruction);
    layout->addWidget(new QLabel(
        QStringLiteral(
            "You've made changes to this gourdglowlight that have not been saved to a file."),
        this));
    const auto link = [this, layout](Answer answer, const QString& text, const QString& note) {
        auto* button = new QCommandLinkButton(text, note, this);
        button->setObjectName(text);
        connect(button, &QCommandLinkButton::clicked, this, [this, answer] { done(answer); });
        layout->addWidget(button);
        return button;
    };
    link(Save, QStringLiteral("Save"),
         documentHasPath ? QStringLiteral("to the current file")
                         : QStringLiteral("to the file of your choice"))
        ->setDefault(true);
    link(DontSave, QStringLiteral("Don't Save"), QStringLiteral("your changes will be lost"));
    link(Cancel, QStringLiteral("Cancel"), QStringLiteral("keep this gourdglowlight open"));
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

SaveChangesQuestion::Answer SaveChangesQuestion::Ask(QWidget* owner, bool documentHasPath) {
    SaveChangesQuestion question(owner, documentHasPath);
    const int result = wingui::DialogRunner::Exec(question);
    return result == Save || result == DontSave ? static_cast<Answer>(result) : Cancel;
}

} // namespace vel::lumo
