#include "apps/lumo/shell/UsageReport.h"

#include "apps/lumo/dialogs/VersionInfo.h"
#include "core/CommandLine.h"

#include <QMessageBox>

namespace vel::lumo {

UsageReport::UsageReport(const core::CommandLine& commandLine,
                         const std::vector<std::string>& moreErrors) {
    std::vector<std::string> errors = commandLine.GetErrors();
    errors.insert(errors.end(), moreErrors.begin(), moreErrors.end());
    for (const std::string& error : errors) {
        text_ += error + "\n";
    }
    hasErrors_ = !errors.empty();
    if (hasErrors_) {
        text_ += "\n";
    }
    text_ += commandLine.GetUsage();
}

std::unique_ptr<QMessageBox> UsageReport::CreateMessageBox() const {
    auto box = std::make_unique<QMessageBox>(
        hasErrors_ ? QMessageBox::Critical : QMessageBox::Information, ProductCaption(),
        QString::fromStdString(text_), QMessageBox::Ok);
    // "<file-name>" must not be taken for markup.
    box->setTextFormat(Qt::PlainText);
    return box;
}

} // namespace vel::lumo
