#include "apps/lumo/shell/ShortcutList.h"

#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/ShapeWnd.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/shell/KeyTable.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QTextDocument>
#include <set>

namespace vel::lumo::test {
namespace {

// The page as a reader sees it, without its markup.
QString PageText() {
    QTextDocument page;
    page.setHtml(ShortcutPage());
    return page.toPlainText();
}

void CollectMenuKeys(const QMenu* menu, std::vector<QString>& keys) {
    for (const QAction* action : menu->actions()) {
        if (action->menu() != nullptr) {
            CollectMenuKeys(action->menu(), keys);
        } else if (const qsizetype tab = action->text().indexOf(QLatin1Char('\t')); tab >= 0) {
            keys.push_back(action->text().mid(tab + 1));
        }
    }
}

class ShortcutListTest : public ShellTest {};

TEST_F(ShortcutListTest, TheShortcutListNamesEveryMenuKeyAndEveryWindowKey) {
    std::vector<QString> menuKeys;
    for (const QAction* menu : window->menuBar()->actions()) {
        CollectMenuKeys(menu->menu(), menuKeys);
    }
    ASSERT_GE(menuKeys.size(), 10u);
    const QString page = PageText();
    for (const QString& key : menuKeys) {
        EXPECT_TRUE(page.contains(key)) << key.toStdString();
    }
    for (const KeyBinding& binding : WindowKeys()) {
        EXPECT_TRUE(page.contains(KeyText(binding))) << KeyText(binding).toStdString();
        EXPECT_TRUE(page.contains(QString::fromUtf8(binding.text))) << binding.text;
    }
    for (const char* pane : {"Preview", "Shapes and poses", "Timeline", "Show on Projector"}) {
        EXPECT_TRUE(page.contains(QString::fromUtf8(pane))) << pane;
    }
    EXPECT_TRUE(page.contains(QStringLiteral("Shift+drag inside the selected shape")));
    EXPECT_TRUE(page.contains(QStringLiteral("Shift+Tab")));
    // The expression keys, in the main window and in the show.
    EXPECT_EQ(page.count(QStringLiteral("Hold an expression")), 2);
}

TEST_F(ShortcutListTest, EachKeyMeansOneThingAndCtrlFallsBackToThePlainKey) {
    std::set<std::pair<int, bool>> seen;
    for (const KeyBinding& binding : WindowKeys()) {
        EXPECT_TRUE(seen.emplace(binding.key, binding.ctrl).second)
            << KeyText(binding).toStdString();
    }
    EXPECT_EQ(FindWindowKey(Qt::Key_Home, true), FindWindowKey(Qt::Key_Home, false));
    // Plain Q never exits: it is live voice's "Quiet now".
    EXPECT_EQ(FindWindowKey(Qt::Key_Q, false)->command, IdQuietNow);
    EXPECT_EQ(FindWindowKey(Qt::Key_Q, true)->command, IdExit);
    EXPECT_EQ(FindWindowKey(Qt::Key_W, true)->command, IdClose);
    EXPECT_EQ(KeyText(*FindWindowKey(Qt::Key_F5, true)), QStringLiteral("Ctrl+F5"));
}

// A key listed for a pane is one the pane takes for itself, not one that
// travels on to the main window.
TEST_F(ShortcutListTest, EveryListedPaneKeyIsTakenByItsPane) {
    Edit(*window);
    window->show();
    const std::vector<QWidget*> panes{window->Preview(), window->Shapes(), window->Timeline()};
    const std::span<const PaneShortcuts> tables = PaneShortcutTables();
    ASSERT_EQ(tables.size(), panes.size());
    for (std::size_t i = 0; i < panes.size(); ++i) {
        EXPECT_FALSE(tables[i].gestures.empty()) << tables[i].name;
        for (const PaneKey& key : tables[i].keys) {
            EXPECT_EQ(FindWindowKey(key.key, key.modifiers.testFlag(Qt::ControlModifier)), nullptr)
                << key.text;
            QKeyEvent event(QEvent::KeyPress, key.key, key.modifiers);
            QCoreApplication::sendEvent(panes[i], &event);
            EXPECT_TRUE(event.isAccepted()) << tables[i].name << " " << key.text;
        }
    }
}

} // namespace
} // namespace vel::lumo::test
