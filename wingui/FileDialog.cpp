#include "wingui/FileDialog.h"

#include "wingui/NativePath.h"
#include "wingui/RunnerSeam.h"

#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>
#include <system_error>
#include <utility>

namespace vel::wingui {

namespace {

class ModalRunner : public FileDialogRunner {
public:
    bool Run(QFileDialog& dialog) override { return dialog.exec() == QDialog::Accepted; }
};

RunnerSeam<FileDialogRunner, ModalRunner> runner;

} // namespace

FileDialogRunner* BasicFileDialog::SetRunner(FileDialogRunner* replacement) {
    return runner.Set(replacement);
}

void BasicFileDialog::AddFilter(const QString& description, const QString& pattern) {
    filters_.emplace_back(description, pattern);
}

bool BasicFileDialog::ShowAs(Mode mode, QWidget* owner) {
    QFileDialog dialog(owner);
    dialog.setAcceptMode(mode == Mode::Save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(mode == Mode::Save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!title_.isEmpty()) {
        dialog.setWindowTitle(title_);
    }
    QStringList filters;
    for (const auto& [description, pattern] : filters_) {
        // "*.*" means every file; here it would leave out names without a dot.
        const QString glob = pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern;
        filters << QStringLiteral("%1 (%2)").arg(description, glob);
    }
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.front());
    }
    // Qt's own open dialog would append the suffix even to an existing file
    // named without one, so opening leaves it to the check below.
    if (!defaultExtension_.isEmpty() && mode == Mode::Save) {
        dialog.setDefaultSuffix(defaultExtension_);
    }
    if (!initialName_.empty()) {
        dialog.selectFile(DisplayPath(initialName_));
    }

    if (!runner.Get().Run(dialog)) {
        return false;
    }
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty() || chosen.front().isEmpty()) {
        return false;
    }
    std::string path = NativePath(chosen.front(), initialName_);
    // A saved name without an extension gets the default one, whichever
    // dialog the platform showed; so does an opened name that does not exist
    // as typed.
    std::error_code unknown;
    if (!defaultExtension_.isEmpty() && QFileInfo(chosen.front()).suffix().isEmpty() &&
        (mode == Mode::Save || !std::filesystem::exists(path, unknown))) {
        path += '.' + defaultExtension_.toStdString();
    }
    chosenPath_ = std::move(path);
    return true;
}

} // namespace vel::wingui
