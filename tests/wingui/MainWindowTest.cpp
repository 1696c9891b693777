#include "wingui/MainWindowImpl.h"
#include "wingui/WindowPlacement.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTest>
#include <QVBoxLayout>
#include <QtEndian>
#include <gtest/gtest.h>

namespace vel::wingui {
namespace {

class TestWnd : public MainWindowImpl<TestWnd> {
public:
    explicit TestWnd(const char* test) : MainWindowImpl(SettingsKey("VellumarTests", test)) {
        auto* central = new QWidget(this);
        auto* layout = new QVBoxLayout(central);
        first = new QLineEdit(central);
        second = new QLineEdit(central);
        layout->addWidget(first);
        layout->addWidget(second);
        setCentralWidget(central);
    }
    QLineEdit* first;
    QLineEdit* second;
};

// Counts the quit requests and keeps them from ending anything.
class QuitCounter : public QObject {
public:
    int quits = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::Quit) {
            return false;
        }
        ++quits;
        return true;
    }
};

QByteArray Record(std::initializer_list<std::int32_t> fields) {
    QByteArray bytes;
    for (std::int32_t f : fields) {
        char le[4];
        qToLittleEndian(f, le);
        bytes.append(le, 4);
    }
    return bytes;
}

QRect WorkArea() {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

class MainWindowTest : public ::testing::Test {
protected:
    // Every case keeps its settings under its own name, empty at the start.
    void SetUp() override {
        name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        settings = SettingsKey("VellumarTests", name).Open();
        settings->clear();
        settings->sync();
        qApp->installEventFilter(&quit);
    }
    void TearDown() override { qApp->removeEventFilter(&quit); }
    void Store(const char* value, const QVariant& data) {
        settings->setValue(value, data);
        settings->sync();
    }

    const char* name = nullptr;
    QuitCounter quit;
    std::unique_ptr<QSettings> settings;
};

TEST_F(MainWindowTest, APlacementEncodesElevenLittleEndianFieldsAndAcceptsOnlyExactRecords) {
    WindowPlacement p;
    p.showCommand = WindowPlacement::kShowMaximized;
    p.left = -1900;
    p.top = 20;
    p.right = -1000;
    p.bottom = 700;
    const QByteArray bytes = p.Encode();
    EXPECT_EQ(bytes, Record({44, 0, 3, -1, -1, -1, -1, -1900, 20, -1000, 700}));
    const auto back = WindowPlacement::Decode(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Encode(), bytes);

    EXPECT_FALSE(WindowPlacement::Decode(bytes.left(40)));
    EXPECT_FALSE(WindowPlacement::Decode(bytes + QByteArray(4, '\0')));
    EXPECT_FALSE(WindowPlacement::Decode(Record({48, 0, 1, -1, -1, -1, -1, 0, 0, 400, 300})));
}

TEST_F(MainWindowTest, SnapsGiveHalvesOfAMonitorLeftOfThePrimaryOne) {
    const QRect area(-1920, 0, 1920, 1040);
    EXPECT_EQ(SnapStateOf(QRect(-1920, 0, 960, 1040), area), kLeftHalf);
    EXPECT_EQ(SnapStateOf(QRect(-960, 0, 960, 1040), area), kRightHalf);
    EXPECT_EQ(SnapStateOf(QRect(-961, 0, 961, 1040), area), kFullHeight);
    EXPECT_EQ(SnapStateOf(QRect(-1500, 0, 300, 1040), area), kFullHeight);
    EXPECT_EQ(SnapStateOf(QRect(-960, 1, 960, 1039), area), kNotSnapped);
    EXPECT_EQ(SnapStateOf(QRect(-960, 0, 960, 1000), area), kNotSnapped);

    EXPECT_EQ(SnappedRect(kLeftHalf, QRect(5, 5, 10, 10), area), QRect(-1920, 0, 960, 1040));
    EXPECT_EQ(SnappedRect(kRightHalf, QRect(5, 5, 10, 10), area), QRect(-960, 0, 960, 1040));
    EXPECT_EQ(SnappedRect(kFullHeight, QRect(-1500, 5, 300, 10), area), QRect(-1500, 0, 300, 1040));
    // An odd width halves toward zero.
    EXPECT_EQ(SnappedRect(kLeftHalf, QRect(), QRect(-1921, 0, 1921, 10)).width(), 960);
}

TEST_F(MainWindowTest, ClosingSavesPlacementAndSnapAndAsksToQuit) {
    {
        TestWnd wnd(name);
        wnd.setGeometry(40, 50, 320, 240);
        wnd.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&wnd));
        EXPECT_TRUE(wnd.close());
        QCoreApplication::processEvents();
        EXPECT_EQ(quit.quits, 1);
    }
    EXPECT_EQ(quit.quits, 1);
    settings->sync();
    EXPECT_EQ(settings->value("WindowPlacement").toByteArray().size(), 44);
    EXPECT_EQ(settings->value("WindowSnap").toString(), "0");

    TestWnd again(name);
    ASSERT_TRUE(again.RestorePlacement());
    EXPECT_TRUE(again.isVisible());
    EXPECT_EQ(again.geometry(), QRect(40, 50, 320, 240));
}

TEST_F(MainWindowTest, WrongPlacementRecordsAreIgnored) {
    const QByteArray good = Record({44, 0, 1, -1, -1, -1, -1, 10, 20, 410, 320});
    const std::pair<const char*, QVariant> bad[] = {
        {"40 bytes", good.left(40)},
        {"48 bytes", good + QByteArray(4, '\0')},
        {"length field", Record({40, 0, 1, -1, -1, -1, -1, 10, 20, 410, 320})},
        {"not binary", QString("44")},
        {"empty rectangle", Record({44, 0, 1, -1, -1, -1, -1, 10, 20, 10, 320})}};
    for (const auto& [what, value] : bad) {
        Store("WindowPlacement", value);
        TestWnd wnd(name);
        EXPECT_FALSE(wnd.RestorePlacement()) << what;
        EXPECT_FALSE(wnd.isVisible()) << what;
    }
    Store("WindowPlacement", good);
    TestWnd wnd(name);
    EXPECT_TRUE(wnd.RestorePlacement());
    EXPECT_EQ(wnd.geometry(), QRect(10, 20, 400, 300));
}

TEST_F(MainWindowTest, MinimisedAndMaximisedRecordsShowTheWindowUsably) {
    Store("WindowPlacement", Record({44, 2, 2, -1, -1, -1, -1, 10, 20, 410, 320}));
    TestWnd maximised(name);
    ASSERT_TRUE(maximised.RestorePlacement());
    EXPECT_TRUE(maximised.isMaximized());
    EXPECT_FALSE(maximised.isMinimized());
    EXPECT_EQ(maximised.normalGeometry(), QRect(10, 20, 400, 300));

    Store("WindowPlacement", Record({44, 0, 2, -1, -1, -1, -1, 10, 20, 410, 320}));
    TestWnd normal(name);
    ASSERT_TRUE(normal.RestorePlacement());
    EXPECT_FALSE(normal.isMinimized());
    EXPECT_FALSE(normal.isMaximized());
}

TEST_F(MainWindowTest, APlacementOffEveryScreenComesBackOnTheScreen) {
    Store("WindowPlacement", Record({44, 0, 1, -1, -1, -1, -1, 30000, 30000, 30400, 30300}));
    TestWnd wnd(name);
    ASSERT_TRUE(wnd.RestorePlacement());
    EXPECT_TRUE(WorkArea().intersects(wnd.geometry()));
    EXPECT_EQ(wnd.geometry().size(), QSize(400, 300));
}

TEST_F(MainWindowTest, PlacementsNoScreenCanHoldAreClampedToTheWorkArea) {
    const QRect area = WorkArea();
    const int right = area.left() + area.width();
    struct Case {
        const char* what;
        std::int32_t left, top, right, bottom;
        bool fillsTheArea;
    };
    const Case cases[] = {
        {"edges near 2e9", -2000000000, -2000000000, 2000000000, 2000000000, true},
        {"100000 square", 0, 0, 100000, 100000, true},
        {"partly off the right edge", right - 100, 10, right + 300, 310, false},
    };
    for (const Case& c : cases) {
        Store("WindowPlacement",
              Record({44, 0, 1, -1, -1, -1, -1, c.left, c.top, c.right, c.bottom}));
        {
            TestWnd wnd(name);
            ASSERT_TRUE(wnd.RestorePlacement()) << c.what;
            EXPECT_TRUE(wnd.isVisible()) << c.what;
            EXPECT_TRUE(area.contains(wnd.frameGeometry())) << c.what;
            if (c.fillsTheArea) {
                EXPECT_EQ(wnd.frameGeometry(), area) << c.what;
            } else {
                EXPECT_EQ(wnd.geometry().size(), QSize(400, 300)) << c.what;
            }
            wnd.close();
        }
        // What is saved back fits as well, so the next start is the same.
        settings->sync();
        const auto saved =
            WindowPlacement::Decode(settings->value("WindowPlacement").toByteArray());
        ASSERT_TRUE(saved) << c.what;
        EXPECT_LE(saved->right - saved->left, area.width()) << c.what;
        EXPECT_LE(saved->bottom - saved->top, area.height()) << c.what;
    }
}

TEST_F(MainWindowTest, SnapStateIsSavedFromTheWindowAndRestoredOntoIt) {
    const QRect area = WorkArea();
    TestWnd wnd(name);
    wnd.setGeometry(area.left() + 10, area.top() + 10, 200, 150);
    wnd.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&wnd));
    ASSERT_TRUE(wnd.WriteDword("WindowSnap", kRightHalf));
    ASSERT_TRUE(wnd.RestoreSnap());
    const int mid = area.left() + area.width() / 2;
    EXPECT_EQ(wnd.frameGeometry(),
              QRect(mid, area.top(), area.left() + area.width() - mid, area.height()));
    ASSERT_TRUE(wnd.SaveSnap());
    EXPECT_EQ(wnd.ReadDword("WindowSnap"), kRightHalf);

    wnd.WriteDword("WindowSnap", kFullHeight);
    wnd.setGeometry(area.left() + 10, area.top() + 10, 200, 150);
    const QRect before = wnd.frameGeometry();
    ASSERT_TRUE(wnd.RestoreSnap());
    EXPECT_EQ(wnd.frameGeometry(), QRect(before.left(), area.top(), before.width(), area.height()));

    wnd.showMaximized();
    ASSERT_TRUE(wnd.SaveSnap());
    EXPECT_EQ(wnd.ReadDword("WindowSnap"), kNotSnapped);
}

TEST_F(MainWindowTest, RestoringSnapAcceptsOnlyTheFourStates) {
    TestWnd wnd(name);
    wnd.setGeometry(30, 30, 200, 150);
    EXPECT_FALSE(wnd.RestoreSnap());
    wnd.WriteDword("WindowSnap", 4);
    EXPECT_FALSE(wnd.RestoreSnap());
    Store("WindowSnap", QByteArray(4, '\0'));
    EXPECT_FALSE(wnd.RestoreSnap());
    wnd.WriteDword("WindowSnap", kNotSnapped);
    EXPECT_TRUE(wnd.RestoreSnap());
    EXPECT_EQ(wnd.geometry(), QRect(30, 30, 200, 150));
}

TEST_F(MainWindowTest, TheFocusedChildGetsTheFocusBackOnReactivation) {
    TestWnd wnd(name);
    wnd.SetIcons();
    EXPECT_FALSE(wnd.windowIcon().isNull());
    wnd.show();
    wnd.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wnd));
    wnd.second->setFocus();

    QWidget other;
    other.setFocusPolicy(Qt::StrongFocus);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
    EXPECT_EQ(wnd.FocusWindow(), wnd.second);

    wnd.first->setFocus();
    wnd.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&wnd));
    EXPECT_TRUE(wnd.second->hasFocus());
}

} // namespace
} // namespace vel::wingui
