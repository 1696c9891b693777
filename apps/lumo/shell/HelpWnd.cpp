#include "apps/lumo/shell/HelpWnd.h"

#include "apps/lumo/dialogs/VersionInfo.h"
#include "apps/lumo/shell/ProgramFiles.h"
#include "apps/lumo/shell/ShortcutList.h"

#include <QImageReader>
#include <QScreen>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextImageFormat>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

namespace vel::lumo {

namespace {

// Room for the pictures at their own size on a common screen.
constexpr int PreferredWidth = 1100;
constexpr int PreferredHeight = 820;

} // namespace

HelpWnd::HelpWnd(const QWidget* owner) : browser_(new QTextBrowser(this)) {
    setModal(false);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    browser_->setOpenExternalLinks(true);
    browser_->viewport()->installEventFilter(this);
    QRect screen(0, 0, PreferredWidth, PreferredHeight);
    if (owner != nullptr) {
        setWindowIcon(owner->windowIcon());
        if (owner->screen() != nullptr) {
            screen = owner->screen()->availableGeometry();
        }
    }
    resize(std::min(PreferredWidth, screen.width()), std::min(PreferredHeight, screen.height()));
}

QString HelpWnd::TutorialPath() {
    return FindProgramFile(QStringLiteral("help/tutorial.md"), QStringLiteral("docs/tutorial.md"));
}

void HelpWnd::ShowTutorial() {
    const QString path = TutorialPath();
    if (path.isEmpty()) {
        browser_->setHtml(QStringLiteral("<h1>Tutorial</h1><p>The tutorial is not installed: "
                                         "share/lumo/help/tutorial.md was not found.</p>"));
    } else {
        browser_->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
        FitPictures();
    }
    Present(QStringLiteral("Tutorial"));
}

void HelpWnd::ShowShortcuts() {
    browser_->setHtml(ShortcutPage());
    Present(QStringLiteral("Keyboard Shortcuts"));
}

void HelpWnd::Present(const QString& title) {
    setWindowTitle(title + QStringLiteral(" - ") + ProductCaption());
    browser_->verticalScrollBar()->setValue(0);
    show();
    raise();
    activateWindow();
}

bool HelpWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == browser_->viewport() && event->type() == QEvent::Resize) {
        FitPictures();
    }
    return QDialog::eventFilter(watched, event);
}

void HelpWnd::FitPictures() {
    QTextDocument* document = browser_->document();
    const qreal room = browser_->viewport()->width() - 2 * document->documentMargin() - 4;
    if (room <= 0) {
        return;
    }
    struct Picture {
        int position;
        int length;
        QTextImageFormat format;
    };
    std::vector<Picture> pictures;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            if (fragment.charFormat().isImageFormat()) {
                pictures.push_back({fragment.position(), fragment.length(),
                                    fragment.charFormat().toImageFormat()});
            }
        }
    }
    for (Picture& picture : pictures) {
        const QString file = browser_->source().resolved(QUrl(picture.format.name())).toLocalFile();
        const QSize natural = QImageReader(file).size();
        if (natural.isEmpty()) {
            continue;
        }
        const qreal width = std::min<qreal>(natural.width(), room);
        picture.format.setWidth(width);
        picture.format.setHeight(width * natural.height() / natural.width());
        QTextCursor cursor(document);
        cursor.setPosition(picture.position);
        cursor.setPosition(picture.position + picture.length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(picture.format);
    }
}

} // namespace vel::lumo
