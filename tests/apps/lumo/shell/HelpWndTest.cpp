#include "apps/lumo/shell/HelpWnd.h"

#include "apps/lumo/panes/CommandIds.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QFile>
#include <QImage>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QTextImageFormat>

namespace vel::lumo::test {
namespace {

// The names of the pictures the page shows.
std::vector<QString> PictureNames(const QTextDocument& page) {
    std::vector<QString> names;
    for (QTextBlock block = page.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat()) {
                names.push_back(it.fragment().charFormat().toImageFormat().name());
            }
        }
    }
    return names;
}

QString FirstHeading(const QString& markdownPath) {
    QFile file(markdownPath);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("# "))) {
            return line.mid(2);
        }
    }
    return {};
}

// The page is read and drawn by the window itself, whatever the desktop
// would open a Markdown file with.
TEST_F(ShellTest, TheTutorialOpensInsideTheProgramWithItsPictures) {
    window->OnCommand(IdTutorial);
    auto* help = window->findChild<HelpWnd*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_FALSE(help->isModal());
    EXPECT_TRUE(help->windowTitle().startsWith(QStringLiteral("Tutorial")));

    const QString heading = FirstHeading(HelpWnd::TutorialPath());
    ASSERT_FALSE(heading.isEmpty());
    const QTextDocument& page = *help->Browser()->document();
    EXPECT_EQ(page.firstBlock().text(), heading);
    EXPECT_EQ(page.firstBlock().blockFormat().headingLevel(), 1);

    const std::vector<QString> pictures = PictureNames(page);
    ASSERT_FALSE(pictures.empty());
    for (const QString& name : pictures) {
        const QVariant bytes = help->Browser()->loadResource(QTextDocument::ImageResource, name);
        const QImage picture = QImage::fromData(bytes.toByteArray());
        EXPECT_FALSE(picture.isNull()) << name.toStdString();
    }
}

TEST_F(ShellTest, OneHelpWindowShowsTheTutorialOrTheShortcuts) {
    window->OnCommand(IdKeyboardShortcuts);
    window->OnCommand(IdTutorial);
    window->OnCommand(IdKeyboardShortcuts);
    ASSERT_EQ(window->findChildren<HelpWnd*>().size(), 1);
    auto* help = window->findChild<HelpWnd*>();
    EXPECT_TRUE(help->windowTitle().startsWith(QStringLiteral("Keyboard Shortcuts")));
    EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("Ctrl+W")));
}

} // namespace
} // namespace vel::lumo::test
