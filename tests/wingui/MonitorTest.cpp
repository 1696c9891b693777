#include "wingui/MainWindowImpl.h"
#include "wingui/WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <gtest/gtest.h>

namespace vel::wingui {
namespace {

// Runs on two screens: "left" at x = -1920 (1920 x 1080) and "main" at 0.
class TestWnd : public MainWindowImpl<TestWnd> {
public:
    // Each case has its own settings, as cases run side by side.
    TestWnd()
        : MainWindowImpl(SettingsKey(
              "VellumarTests", ::testing::UnitTest::GetInstance()->current_test_info()->name())) {}
    // Puts the window's outer rectangle at r.
    void SetFrame(const QRect& r) {
        const QRect frame = frameGeometry();
        const QRect inner = geometry();
        setGeometry(r.adjusted(inner.left() - frame.left(), inner.top() - frame.top(),
                               inner.right() - frame.right(), inner.bottom() - frame.bottom()));
    }
};

class MonitorTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::screens().size(), 2);
        wnd.setGeometry(-1800, 100, 400, 300);
        wnd.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&wnd));
    }
    TestWnd wnd;
};

TEST_F(MonitorTest, TheRightHalfOfAMonitorAtNegativeXIsSavedOnlyFromItsMiddle) {
    wnd.SetFrame(QRect(-960, 0, 960, 1080));
    ASSERT_EQ(wnd.frameGeometry(), QRect(-960, 0, 960, 1080));
    ASSERT_TRUE(wnd.SaveSnap());
    EXPECT_EQ(wnd.ReadDword("WindowSnap"), kRightHalf);

    wnd.SetFrame(QRect(-961, 0, 961, 1080));
    ASSERT_TRUE(wnd.SaveSnap());
    EXPECT_EQ(wnd.ReadDword("WindowSnap"), kFullHeight);

    wnd.SetFrame(QRect(-1920, 0, 960, 1080));
    ASSERT_TRUE(wnd.SaveSnap());
    EXPECT_EQ(wnd.ReadDword("WindowSnap"), kLeftHalf);
}

TEST_F(MonitorTest, RestoringSnapUsesTheMonitorTheWindowIsOn) {
    wnd.WriteDword("WindowSnap", kRightHalf);
    ASSERT_TRUE(wnd.RestoreSnap());
    EXPECT_EQ(wnd.frameGeometry(), QRect(-960, 0, 960, 1080));

    wnd.SetFrame(QRect(100, 100, 300, 200));
    ASSERT_TRUE(wnd.RestoreSnap());
    EXPECT_EQ(wnd.frameGeometry(), QRect(640, 0, 640, 1024));
}

} // namespace
} // namespace vel::wingui
