#include "apps/lumo/shell/ShowScreens.h"

#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/shell/ShowWnd.h"
#include "core/File.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QScreen>
#include <QTest>
#include <QWindow>

namespace vel::lumo::test {
namespace {

// On a real X server with two screens (the test runs under one), as a
// computer with its projector plugged in.
class ShowScreensTest : public ShellTest {
protected:
    void SetUp() override {
        screens = QGuiApplication::screens();
        ASSERT_EQ(screens.size(), 2) << "needs an X server with two screens";
        SetDocumentOf(LUMO_EXAMPLE);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    // Waits until the show fills its screen.
    ShowWnd& Shown() {
        ShowWnd* show = window->Show();
        EXPECT_NE(show, nullptr);
        EXPECT_TRUE(QTest::qWaitForWindowExposed(show));
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return show->geometry() == show->screen()->geometry(); }));
        return *show;
    }

    QList<QScreen*> screens;
};

TEST_F(ShowScreensTest, TheShowFillsTheChosenScreenOfTwoAndIsRememberedForF11) {
    EXPECT_EQ(window->screen(), screens[0]);
    // Screens of one X server share a name; their numbers tell them apart.
    EXPECT_EQ(screens[0]->name(), screens[1]->name());
    window->OnCommand(IdShowScreen1 + 1);
    ShowWnd& show = Shown();
    EXPECT_EQ(show.screen(), screens[1]);
    EXPECT_EQ(show.windowHandle()->screen(), screens[1]);
    EXPECT_EQ(show.geometry(), screens[1]->geometry());
    EXPECT_EQ(screens[1]->size(), QSize(1280, 800));
    EXPECT_EQ(show.PictureRect(), QRect(0, 40, 1280, 720));
    EXPECT_EQ(LastShowScreen(window->Settings()).name, screens[1]->name());
    EXPECT_EQ(LastShowScreen(window->Settings()).number, 2u);
    QTest::keyClick(&show, Qt::Key_Escape);
    EXPECT_FALSE(window->IsShowing());

    // F11 goes back to the screen chosen last.
    QTest::keyClick(window.get(), Qt::Key_F11);
    EXPECT_EQ(Shown().screen(), screens[1]);
    window->Show()->End();
    window->OnCommand(IdShowScreen1);
    EXPECT_EQ(Shown().screen(), screens[0]);
    EXPECT_EQ(window->Show()->geometry(), QRect(0, 0, 1920, 1080));
}

// Without a choice made, a show avoids the editor's screen.
TEST_F(ShowScreensTest, WithoutAChoiceTheShowGoesToTheScreenWithoutTheEditor) {
    EXPECT_EQ(ChooseShowScreen(screens, {}, screens[0]), screens[1]);
    EXPECT_EQ(ChooseShowScreen(screens, {}, screens[1]), screens[0]);
    EXPECT_EQ(ChooseShowScreen(screens, {screens[0]->name(), 1}, screens[0]), screens[0]);
    EXPECT_EQ(ChooseShowScreen(screens, {screens[1]->name(), 2}, screens[1]), screens[1]);
    // A number past the screens there are falls back on the name.
    EXPECT_EQ(ChooseShowScreen(screens, {screens[1]->name(), 3}, screens[1]), screens[0]);
    window->OnCommand(IdShowOnProjector);
    EXPECT_EQ(Shown().screen(), screens[1]);
}

} // namespace
} // namespace vel::lumo::test
