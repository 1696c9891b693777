#include "apps/lumo/shell/HelpWnd.h"

#include "apps/lumo/panes/CommandIds.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextImageFormat>

namespace vel::lumo::test {
namespace {

// Stands in for the desktop's handler of files while it lives: whatever the
// program hands the desktop becomes this browser's source.
class DesktopFiles {
public:
    DesktopFiles() {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &handler, "setSource");
    }
    ~DesktopFiles() { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    DesktopFiles(const DesktopFiles&) = delete;
    DesktopFiles& operator=(const DesktopFiles&) = delete;

    QTextBrowser handler;
};

// The help windows open now.
QList<HelpWnd*> HelpWindows() {
    QList<HelpWnd*> found;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* help = dynamic_cast<HelpWnd*>(widget)) {
            found.push_back(help);
        }
    }
    return found;
}

// The pictures the page shows.
std::vector<QTextImageFormat> Pictures(const QTextDocument& page) {
    std::vector<QTextImageFormat> pictures;
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                pictures.push_back(it.fragment().charFormat().toImageFormat());
            }
        }
    }
    return pictures;
}

QString Markdown(const QString& path) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return QString::fromUtf8(file.readAll());
}

std::size_t PictureCount(const QString& markdownPath) {
    return static_cast<std::size_t>(Markdown(markdownPath).count(QStringLiteral("![")));
}

QString FirstHeading(const QString& markdownPath) {
    for (const QString& line : Markdown(markdownPath).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("# "))) {
            return line.mid(2);
        }
    }
    return {};
}

class HelpWndTest : public ShellTest {};

// The page is read and drawn by the window itself, whatever the desktop
// would open a Markdown file with.
TEST_F(HelpWndTest, TheTutorialOpensInsideTheProgramWithItsPictures) {
    const DesktopFiles desktop;
    window->OnCommand(IdTutorial);
    EXPECT_TRUE(desktop.handler.source().isEmpty())
        << desktop.handler.source().toString().toStdString();
    auto* help = HelpWindows().value(0);
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_TRUE(help->windowTitle().startsWith(QStringLiteral("Tutorial")));

    const QString heading = FirstHeading(HelpWnd::TutorialPath());
    ASSERT_FALSE(heading.isEmpty());
    const QTextDocument& page = *help->Browser()->document();
    EXPECT_EQ(page.firstBlock().text(), heading);
    EXPECT_EQ(page.firstBlock().blockFormat().headingLevel(), 1);

    // Each picture of the page once, however its caption is wrapped.
    const std::vector<QTextImageFormat> pictures = Pictures(page);
    ASSERT_EQ(pictures.size(), PictureCount(HelpWnd::TutorialPath()));
    ASSERT_GE(pictures.size(), 8u);
    for (const QTextImageFormat& format : pictures) {
        const QVariant bytes =
            help->Browser()->loadResource(QTextDocument::ImageResource, format.name());
        const QImage picture = QImage::fromData(bytes.toByteArray());
        EXPECT_FALSE(picture.isNull()) << format.name().toStdString();
    }
}

// A picture wider than the page is shown at the page's width, in proportion.
TEST_F(HelpWndTest, TheTutorialsPicturesFitTheWindow) {
    window->OnCommand(IdTutorial);
    auto* help = HelpWindows().value(0);
    ASSERT_NE(help, nullptr);
    for (const int width : {500, 900}) {
        help->resize(width, 600);
        QCoreApplication::processEvents();
        const int page = help->Browser()->viewport()->width();
        for (const QTextImageFormat& picture : Pictures(*help->Browser()->document())) {
            EXPECT_LE(picture.width(), page);
            EXPECT_GT(picture.width(), page - 40);
            EXPECT_NEAR(picture.height() / picture.width(), 0.75, 0.01);
        }
    }
}

TEST_F(HelpWndTest, OneHelpWindowShowsTheTutorialOrTheShortcuts) {
    window->OnCommand(IdKeyboardShortcuts);
    window->OnCommand(IdTutorial);
    window->OnCommand(IdKeyboardShortcuts);
    ASSERT_EQ(HelpWindows().size(), 1);
    auto* help = HelpWindows().value(0);
    EXPECT_TRUE(help->windowTitle().startsWith(QStringLiteral("Keyboard Shortcuts")));
    EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("Ctrl+W")));
}

} // namespace
} // namespace vel::lumo::test
