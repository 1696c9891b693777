#include "wingui/InplaceEditBox.h"

#include <QTest>
#include <gtest/gtest.h>

namespace vel::wingui {
namespace {

class InplaceEditBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        pane.setFocusPolicy(Qt::StrongFocus);
        pane.resize(300, 200);
        box = new InplaceEditBox(&pane);
        box->SetEndedHandler([this] { endings.push_back({box->IsCommitted(), box->text()}); });
        pane.show();
        pane.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&pane));
        box->Begin(QRect(10, 10, 200, 24), "Left Eye");
    }

    QWidget pane;
    InplaceEditBox* box = nullptr;
    std::vector<std::pair<bool, QString>> endings;
};

TEST_F(InplaceEditBoxTest, EnterAndTabCommitAndReturnTheFocusToTheParent) {
    EXPECT_TRUE(box->hasFocus());
    EXPECT_EQ(box->selectedText(), "Left Eye");
    QTest::keyClicks(box, "Right Eye");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_TRUE(pane.hasFocus());
    ASSERT_EQ(endings.size(), 1u);
    EXPECT_EQ(endings[0], std::make_pair(true, QString("Right Eye")));

    box->Begin(QRect(10, 10, 200, 24), "Mouth");
    QTest::keyClick(box, Qt::Key_Tab);
    EXPECT_TRUE(pane.hasFocus());
    ASSERT_EQ(endings.size(), 2u);
    EXPECT_TRUE(endings[1].first);
}

TEST_F(InplaceEditBoxTest, EscapeEndsWithoutCommitting) {
    QTest::keyClicks(box, "x");
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(pane.hasFocus());
    ASSERT_EQ(endings.size(), 1u);
    EXPECT_FALSE(endings[0].first);
    EXPECT_EQ(endings[0].second, "x");
}

} // namespace
} // namespace vel::wingui
