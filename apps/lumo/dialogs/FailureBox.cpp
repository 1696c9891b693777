#include "apps/lumo/dialogs/FailureBox.h"

#include "apps/lumo/dialogs/VersionInfo.h"
#include "core/FailureMessage.h"
#include "wingui/MessageBox.h"
#include "wingui/NativePath.h"

namespace vel::lumo {

void ShowFailure(QWidget* owner, const std::string& headline, const std::string& path,
                 const std::string& reason) {
    const std::string file = path.empty() ? path : wingui::DisplayPath(path).toStdString();
    wingui::ShowMessageBox(owner, ProductCaption(), QMessageBox::Critical,
                           QString::fromStdString(core::FailureText(headline, file, reason)));
}

} // namespace vel::lumo
