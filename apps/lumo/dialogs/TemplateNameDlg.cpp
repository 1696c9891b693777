#include "apps/lumo/dialogs/TemplateNameDlg.h"

#include "apps/lumo/dialogs/FaceTemplates.h"
#include "wingui/DialogRunner.h"

#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

namespace vel::lumo {

TemplateNameDlg::TemplateNameDlg(QWidget* owner, QString folder)
    : OptionsDlg(owner), folder_(std::move(folder)), statusText_(new QLabel(this)) {
    setWindowTitle(QStringLiteral("Save as Template"));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    auto* name = new QLineEdit(this);
    AddControl(IdName, name);
    form->addRow(QStringLiteral("&Name:"), name);
    layout->addLayout(form);
    statusText_->setWordWrap(true);
    AddControl(IdStatusText, statusText_);
    layout->addWidget(statusText_);
    layout->addWidget(ButtonBox());
    SetToolTips({{IdName, "The face's name in the gallery of New from Template"}});
}

void TemplateNameDlg::BindFields() {
    Bind(IdName, name_);
}

QString TemplateNameDlg::GetName() const {
    return QString::fromStdString(name_.value).trimmed();
}

bool TemplateNameDlg::IsFieldValid(std::uint32_t controlId) const {
    return OptionsDlgBase::IsFieldValid(controlId) &&
           (controlId != IdName || IsTemplateNameAcceptable(GetName()));
}

void TemplateNameDlg::UpdateStatus() {
    if (!IsFieldValid(IdName)) {
        statusText_->setText(QStringLiteral("A name needs a letter or digit, and no slash; it "
                                            "cannot start with a dot."));
    } else if (QFileInfo::exists(TemplatePath(folder_, GetName()))) {
        statusText_->setText(QStringLiteral("One of your faces has this name: saving asks "
                                            "before replacing it."));
    } else {
        statusText_->setText(QStringLiteral("The shapes, poses, knobs and candle are kept, "
                                            "without the sound and the later keys; New from "
                                            "Template then shows the face after the starter "
                                            "faces."));
    }
}

bool TemplateNameDlg::Run() {
    return wingui::DialogRunner::Exec(*this) == QDialog::Accepted;
}

std::optional<QString> AskTemplateName(QWidget* owner, const QString& folder) {
    TemplateNameDlg dialog(owner, folder);
    if (!dialog.Run()) {
        return std::nullopt;
    }
    return dialog.GetName();
}

} // namespace vel::lumo
