#include "apps/lumo/shell/ExportNotice.h"

#include "apps/lumo/dialogs/VersionInfo.h"
#include "wingui/CaptionRoom.h"
#include "wingui/MessageBox.h"
#include "wingui/NativePath.h"
#include "wingui/UrlOpener.h"

#include <QFile>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QUrl>
#include <QWidget>
#include <filesystem>

namespace vel::lumo {

namespace {

// The desktop reads a notification's body as markup.
bool NotifyDesktop(const QString& text) {
    const QString notifier = QStandardPaths::findExecutable(QStringLiteral("notify-send"));
    return !notifier.isEmpty() &&
           QProcess::startDetached(notifier, {ProductCaption(), text.toHtmlEscaped()});
}

void ShowNotice(QWidget* owner, const QString& text, const std::string& folder) {
    auto* notice =
        new QMessageBox(QMessageBox::Information, ProductCaption(), text, QMessageBox::Ok, owner);
    notice->setAttribute(Qt::WA_DeleteOnClose);
    // Paths are shown as they are, never read as markup.
    notice->setTextFormat(Qt::PlainText);
    notice->setWindowModality(Qt::NonModal);
    QPushButton* open = notice->addButton(QMessageBox::tr("Open &Folder"), QMessageBox::ActionRole);
    QObject::connect(open, &QPushButton::clicked, notice, [notice, folder] {
        if (!wingui::UrlOpener::OpenUrl(QUrl::fromLocalFile(QFile::decodeName(folder.c_str())))) {
            // The notice has closed by now: the message goes over its owner.
            wingui::ShowMessageBox(
                notice->parentWidget(), ProductCaption(), QMessageBox::Warning,
                QMessageBox::tr("The folder cannot be opened: this desktop has no program "
                                "for folders.\n%1")
                    .arg(wingui::DisplayPath(folder)));
        }
    });
    wingui::MakeRoomForCaption(*notice);
    notice->show();
}

} // namespace

void AnnounceVideo(QWidget* owner, const std::string& file, bool userAway) {
    const QString text = QMessageBox::tr("Your video is ready:\n%1").arg(wingui::DisplayPath(file));
    if (userAway && NotifyDesktop(text)) {
        return;
    }
    ShowNotice(owner, text, std::filesystem::path(file).parent_path().string());
}

} // namespace vel::lumo
