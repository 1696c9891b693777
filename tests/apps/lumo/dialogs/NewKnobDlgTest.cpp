#include "apps/lumo/dialogs/NewKnobDlg.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "tests/support/InstalledRunner.h"
#include "tests/support/ScopedLocale.h"
#include "wingui/DialogRunner.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <string>

namespace vel::lumo {
namespace {

class NewKnobDlgTest : public ::testing::Test {
protected:
    void Open(std::uint32_t mode) {
        owner.setGeometry(100, 80, 700, 500);
        owner.show();
        dlg = std::make_unique<NewKnobDlg>(&owner, *document, mode);
        dlg->show();
        dlg->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }
    QLineEdit* Edit(std::uint32_t id) const { return static_cast<QLineEdit*>(dlg->Control(id)); }
    QLabel* Label(std::uint32_t id) const { return static_cast<QLabel*>(dlg->Control(id)); }
    QListWidget* List() const {
        return static_cast<QListWidget*>(dlg->Control(NewKnobDlg::IdStandardKnobs));
    }
    void Retype(std::uint32_t id, const char* text) {
        QLineEdit* edit = Edit(id);
        edit->setFocus();
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    QString Status() const {
        return Label(NewKnobDlg::IdStatusText)->isVisible()
                   ? Label(NewKnobDlg::IdStatusText)->text()
                   : QString();
    }
    bool StatusIconIs(wingui::OptionsDlgBase::StatusIcon icon) const {
        const QLabel* label = Label(NewKnobDlg::IdStatusIcon);
        const int side = label->width();
        return label->isVisible() &&
               label->pixmap().toImage() == dlg->Icon(icon).pixmap(side, side).toImage();
    }
    static QColor BaseColour(QWidget* w) {
        const QImage image = w->grab().toImage();
        // Right of the text, inside the frame.
        return image.pixelColor(image.width() - 5, image.height() / 2);
    }

    std::unique_ptr<LumoDocument> document = LumoDocument::New();
    QWidget owner;
    std::unique_ptr<NewKnobDlg> dlg;
};

TEST_F(NewKnobDlgTest, OpensWithTheDefaultKnobAndHintsFollowTheFocus) {
    Open(0);
    EXPECT_EQ(Edit(NewKnobDlg::IdName)->text(), "New Knob");
    EXPECT_EQ(Edit(NewKnobDlg::IdKey)->text(), "newknob");
    EXPECT_EQ(static_cast<QComboBox*>(dlg->Control(NewKnobDlg::IdIntent))->currentText(),
              "Interpolate");
    EXPECT_EQ(Edit(NewKnobDlg::IdMaxLabel)->text(), "max");
    EXPECT_EQ(Edit(NewKnobDlg::IdMaxValue)->text(), "1");
    EXPECT_EQ(Edit(NewKnobDlg::IdTypical)->text(), "0.5");
    EXPECT_EQ(Edit(NewKnobDlg::IdMinLabel)->text(), "min");
    EXPECT_EQ(Edit(NewKnobDlg::IdMinValue)->text(), "0");
    EXPECT_EQ(List()->count(), 10);
    EXPECT_TRUE(dlg->OkButton()->isEnabled());

    // The dialog opens with the name focused, so its hint shows at once.
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    EXPECT_EQ(QApplication::focusWidget(), Edit(NewKnobDlg::IdName));
    EXPECT_EQ(Status(), "Give the knob a short descriptive name.");
    EXPECT_TRUE(StatusIconIs(wingui::OptionsDlgBase::StatusIcon::Information));
    Edit(NewKnobDlg::IdKey)->setFocus();
    EXPECT_EQ(Status(),
              "Make a unique abbreviation for this new knob, using up to 8 letters and digits.");
    Retype(NewKnobDlg::IdKey, "chin");
    EXPECT_EQ(Status(), QString());
    EXPECT_EQ(dlg->GetKnob().key, KnobKey("chin"));
}

TEST_F(NewKnobDlgTest, ATypicalValueOutsideTheEndsBlocksOkWhicheverEndIsLarger) {
    Open(0);
    Retype(NewKnobDlg::IdTypical, "2");
    EXPECT_EQ(Status(), "The typical value must be between 0 and 1 (inclusive).");
    EXPECT_TRUE(StatusIconIs(wingui::OptionsDlgBase::StatusIcon::Error));
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    EXPECT_EQ(BaseColour(Edit(NewKnobDlg::IdTypical)), wingui::OptionsDlgBase::kErrorColor);

    Retype(NewKnobDlg::IdMinValue, "1");
    Retype(NewKnobDlg::IdMaxValue, "0");
    EXPECT_EQ(Status(), "The typical value must be between 0 and 1 (inclusive).");
    // Moving an end far enough makes the typical value acceptable again.
    Retype(NewKnobDlg::IdMinValue, "3");
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
    EXPECT_NE(BaseColour(Edit(NewKnobDlg::IdTypical)), wingui::OptionsDlgBase::kErrorColor);
}

TEST_F(NewKnobDlgTest, ANameTypedAtOnceReplacesTheDefaultAndTabLeadsToTheKey) {
    Open(0);
    ASSERT_TRUE(QTest::qWaitForWindowActive(dlg.get()));
    for (char c : std::string("Chin")) {
        QTest::keyClick(dlg->windowHandle(), c);
    }
    EXPECT_EQ(dlg->GetKnob().name, "Chin");
    QTest::keyClick(dlg->windowHandle(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), Edit(NewKnobDlg::IdKey));
}

TEST_F(NewKnobDlgTest, ValuesAreTypedAndShownInTheUsersLocale) {
    const testing::ScopedLocale german(testing::German());
    Open(0);
    EXPECT_EQ(Edit(NewKnobDlg::IdTypical)->text(), "0,5");
    Retype(NewKnobDlg::IdTypical, "0,75");
    Retype(NewKnobDlg::IdMaxValue, "1,5");
    EXPECT_EQ(dlg->GetKnob().typical, 0.75f);
    EXPECT_EQ(dlg->GetKnob().maxValue, 1.5f);
    Retype(NewKnobDlg::IdMinValue, "0.25");
    EXPECT_EQ(dlg->GetKnob().minValue, 0.25f);
    // Leaving the edit shows the entry in the user's form.
    Edit(NewKnobDlg::IdName)->setFocus();
    EXPECT_EQ(Edit(NewKnobDlg::IdMinValue)->text(), "0,25");
    Retype(NewKnobDlg::IdTypical, "2");
    EXPECT_EQ(Status(), "The typical value must be between 0,25 and 1,5 (inclusive).");
}

TEST_F(NewKnobDlgTest, ClearingTheNameWarnsBeforeAnyKeyCheck) {
    Open(0);
    Retype(NewKnobDlg::IdKey, "");
    Retype(NewKnobDlg::IdName, "");
    EXPECT_EQ(Status(), "Include a descriptive name to make it easy to find this knob on the "
                        "timeline display and in menus.");
    EXPECT_TRUE(StatusIconIs(wingui::OptionsDlgBase::StatusIcon::Warning));
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    Retype(NewKnobDlg::IdName, "Chin");
    EXPECT_EQ(Status(), "Include a short, unique \"key\" for this knob.");
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
}

TEST_F(NewKnobDlgTest, TheKeyBoxTakesAtMostEightLettersAndDigits) {
    Open(0);
    Retype(NewKnobDlg::IdKey, "ab-c_d9efghij");
    EXPECT_EQ(Edit(NewKnobDlg::IdKey)->text(), "abcd9efg");
    EXPECT_EQ(dlg->GetKnob().key, KnobKey("abcd9efg"));
    // The document's own candle key is refused.
    Retype(NewKnobDlg::IdKey, "canhue");
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    EXPECT_EQ(BaseColour(Edit(NewKnobDlg::IdKey)), wingui::OptionsDlgBase::kErrorColor);
}

TEST_F(NewKnobDlgTest, ChoosingAStandardKnobFillsEveryField) {
    Open(0);
    const QList<QListWidgetItem*> blink = List()->findItems("Eyes Blink", Qt::MatchExactly);
    ASSERT_EQ(blink.size(), 1);
    QTest::mouseClick(List()->viewport(), Qt::LeftButton, {},
                      List()->visualItemRect(blink.front()).center());
    EXPECT_EQ(Edit(NewKnobDlg::IdKey)->text(), "eyeblink");
    EXPECT_EQ(Edit(NewKnobDlg::IdName)->text(), "Eyes Blink");
    EXPECT_EQ(Edit(NewKnobDlg::IdTypical)->text(), "0.1");
    EXPECT_EQ(Edit(NewKnobDlg::IdMaxLabel)->text(), "open");
    EXPECT_EQ(Edit(NewKnobDlg::IdMaxValue)->text(), "0");
    EXPECT_EQ(Edit(NewKnobDlg::IdMinLabel)->text(), "closed");
    EXPECT_EQ(Edit(NewKnobDlg::IdMinValue)->text(), "1");
    EXPECT_EQ(dlg->GetKnob(), StandardKnobs()[3]);
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
    EXPECT_EQ(Status(), QString());

    // Changing one of its fields makes it a different knob under a standard name.
    Retype(NewKnobDlg::IdMaxLabel, "wide");
    EXPECT_TRUE(Status().startsWith("There is a standard knob named Eyes Blink"));
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
}

TEST_F(NewKnobDlgTest, PoseModeOffersOnlyInterpolatingKnobs) {
    Open(NewKnobDlg::PoseMode);
    EXPECT_FALSE(dlg->Control(NewKnobDlg::IdIntent)->isEnabled());
    ASSERT_EQ(List()->count(), 7);
    EXPECT_EQ(List()->item(0)->text(), "Eyes Blink");
    EXPECT_EQ(List()->item(6)->text(), "Mouth OOO");
}

// Answers the dialog by typing into it, as a user would, while it lives.
class TypingRunner : public wingui::DialogRunner {
public:
    explicit TypingRunner(std::function<bool(NewKnobDlg&)> answer) : answer_(std::move(answer)) {}
    int Run(QDialog& shown) override {
        auto& dialog = dynamic_cast<NewKnobDlg&>(shown);
        dialog.show();
        const bool ok = answer_(dialog);
        if (ok) {
            QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        } else {
            dialog.reject();
        }
        return dialog.result();
    }

private:
    std::function<bool(NewKnobDlg&)> answer_;
    testing::InstalledRunner<wingui::DialogRunner> installed_{this};
};

TEST_F(NewKnobDlgTest, TheCommandsOkAddsTheKnobAsOneUndoStepAndCancelAddsNothing) {
    auto document = LumoDocument::New();
    QWidget owner;
    TypingRunner chin([](NewKnobDlg& dialog) {
        for (auto [id, text] :
             {std::pair{NewKnobDlg::IdName, "Chin"}, {NewKnobDlg::IdKey, "chin"}}) {
            auto* edit = static_cast<QLineEdit*>(dialog.Control(id));
            edit->selectAll();
            QTest::keyClicks(edit, text);
        }
        return true;
    });
    EXPECT_TRUE(AddNewKnob(&owner, *document));
    ASSERT_TRUE(document->GetModel().HasKnob(KnobKey("chin")));
    EXPECT_EQ(document->GetKnob(KnobKey("chin")).name, "Chin");
    EXPECT_TRUE(document->Undo());
    EXPECT_FALSE(document->GetModel().HasKnob(KnobKey("chin")));

    // OK on the default knob twice: the second time the key is taken, OK stays off.
    TypingRunner asIs([](NewKnobDlg&) { return true; });
    EXPECT_TRUE(AddNewKnob(&owner, *document));
    EXPECT_FALSE(AddNewKnob(&owner, *document));
    EXPECT_EQ(document->GetUndoCount(), 1u);

    TypingRunner cancel([](NewKnobDlg&) { return false; });
    EXPECT_FALSE(AddNewKnob(&owner, *document));
    EXPECT_EQ(document->GetKnobs().size(), 4u);
}

} // namespace
} // namespace vel::lumo
