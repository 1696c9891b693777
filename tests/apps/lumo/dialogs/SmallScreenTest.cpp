#include "apps/lumo/dialogs/ExportVideoOptionsDlg.h"
#include "apps/lumo/dialogs/NewKnobDlg.h"
#include "apps/lumo/document/LumoDocument.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

// Whether the user sees all of the widget: not cut off by the dialog or a
// scrolling page, and inside the free area of the screen.
testing::AssertionResult WhollyInView(const QWidget* widget) {
    const QRect onScreen(widget->mapToGlobal(QPoint()), widget->size());
    const QRect area = widget->screen()->availableGeometry();
    if (!widget->isVisible() || widget->visibleRegion().boundingRect() != widget->rect() ||
        !area.contains(onScreen)) {
        return ::testing::AssertionFailure()
               << widget->metaObject()->className() << " at " << onScreen.x() << "," << onScreen.y()
               << " " << onScreen.width() << "x" << onScreen.height() << ", seen "
               << widget->visibleRegion().boundingRect().width() << "x"
               << widget->visibleRegion().boundingRect().height() << ", screen " << area.width()
               << "x" << area.height();
    }
    return ::testing::AssertionSuccess();
}

class SmallScreenTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(QGuiApplication::primaryScreen()->availableGeometry(), QRect(0, 0, 512, 300));
        // Partly off the screen: the dialog must not follow it there.
        owner.setGeometry(250, 150, 400, 300);
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }
    static void Show(QDialog& dialog) {
        dialog.show();
        dialog.activateWindow();
        // A dialog counts as active while its owner is; wait for its own turn.
        ASSERT_TRUE(QTest::qWaitFor([&dialog] { return QApplication::activeWindow() == &dialog; }));
    }
    // Tabs to each control in turn; each comes into view when it has the
    // focus, as far as the dialog can show it, its top-left corner first.
    static void TabThroughEverything(QDialog& dialog, int controls) {
        for (int i = 0; i < controls; ++i) {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            const QRect seen = focused->visibleRegion().boundingRect();
            EXPECT_EQ(seen.topLeft(), QPoint(0, 0)) << i;
            EXPECT_TRUE(seen.width() == focused->width() || seen.height() == focused->height())
                << i;
            QTest::keyClick(dialog.windowHandle(), Qt::Key_Tab);
        }
    }

    std::unique_ptr<LumoDocument> document = LumoDocument::New();
    QWidget owner;
};

TEST_F(SmallScreenTest, ExportVideoFitsWithEveryButtonInView) {
    ExportVideoOptionsDlg dlg(&owner, *document);
    Show(dlg);
    EXPECT_TRUE(QRect(0, 0, 512, 300).contains(dlg.frameGeometry()));
    for (const QWidget* button :
         {dlg.Control(ExportVideoOptionsDlg::IdBrowse),
          dlg.Control(ExportVideoOptionsDlg::IdFileName), static_cast<QWidget*>(dlg.OkButton()),
          static_cast<QWidget*>(dlg.CancelButton())}) {
        EXPECT_TRUE(WhollyInView(button));
    }
    TabThroughEverything(dlg, 8);
}

TEST_F(SmallScreenTest, NewKnobFitsAndScrollsItsFieldsAboveTheButtons) {
    NewKnobDlg dlg(&owner, *document, 0);
    Show(dlg);
    EXPECT_TRUE(QRect(0, 0, 512, 300).contains(dlg.frameGeometry()));
    EXPECT_TRUE(WhollyInView(dlg.OkButton()));
    EXPECT_TRUE(WhollyInView(dlg.CancelButton()));
    EXPECT_TRUE(WhollyInView(dlg.Control(NewKnobDlg::IdName)));
    EXPECT_EQ(QApplication::focusWidget(), dlg.Control(NewKnobDlg::IdName));
    TabThroughEverything(dlg, 11);
}

} // namespace
} // namespace vel::lumo
