#include "apps/lumo/shell/EditorStart.h"

#include "tests/apps/lumo/shell/ShellFixture.h"
#include "wingui/WindowPlacement.h"

#include <QTest>

namespace vel::lumo::test {
namespace {

void StorePlacement(const QRect& normal) {
    wingui::WindowPlacement placement;
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.left() + normal.width();
    placement.bottom = normal.top() + normal.height();
    QSettings("Vellumar", "Lumo").setValue("WindowPlacement", placement.Encode());
}

class EditorStartTest : public ShellTest {};

TEST_F(EditorStartTest, ASavedPlacementStaysWhenItsSnapCannotBeRestored) {
    const QRect placed(100, 80, 640, 480);
    for (const QVariant& snap : {QVariant(), QVariant(QStringLiteral("7")), QVariant(1.5)}) {
        // Closing saves the placement, so the window closes first.
        window.reset();
        StorePlacement(placed);
        QSettings settings("Vellumar", "Lumo");
        if (snap.isValid()) {
            settings.setValue("WindowSnap", snap);
        } else {
            settings.remove("WindowSnap");
        }
        settings.sync();
        window = std::make_unique<LumoWnd>(&clock);
        ShowMainWindow(*window, false, false);
        EXPECT_TRUE(window->isVisible());
        EXPECT_EQ(window->geometry(), placed) << snap.toString().toStdString();
    }
    window.reset();
    StorePlacement(placed);
    window = std::make_unique<LumoWnd>(&clock);
    ShowMainWindow(*window, false, true);
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(window->normalGeometry(), placed);
}

// The test platform frames its windows as a window manager does.
TEST_F(EditorStartTest, DemoSizesTheWholeWindowFrameIncluded) {
    window.reset();
    StorePlacement(QRect(100, 80, 640, 480));
    window = std::make_unique<LumoWnd>(&clock);
    ShowMainWindow(*window, true, false);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    ASSERT_NE(window->frameGeometry(), window->geometry());
    EXPECT_EQ(window->frameGeometry(), QRect(0, 0, 1024, 768));
}

} // namespace
} // namespace vel::lumo::test
