#include "wingui/OptionsDlg.h"

#include "wingui/UpDownEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionSpinBox>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace vel::wingui {
namespace {

// Between 1 and 100; the arrows move it by one.
class PercentField : public Field<unsigned int> {
public:
    using Field::Field;
    bool IsValid() const override { return value >= 1 && value <= 100; }
    void Step(std::int32_t delta) override { value += static_cast<unsigned>(delta); }
};

enum : std::uint32_t { kPercent = 100, kCount = 101, kBurn = 102, kIntent = 103, kName = 104 };

class SampleDlg : public OptionsDlg<SampleDlg> {
public:
    explicit SampleDlg(QWidget* owner) : OptionsDlg(owner) {
        auto* layout = new QVBoxLayout(this);
        percent = new QLineEdit(this);
        count = new UpDownEdit(this);
        burn = new QCheckBox("Burn", this);
        intent = new QComboBox(this);
        name = new QLineEdit(this);
        intent->addItems({"Interpolate", "Hue", "Saturation", "Lightness"});
        for (QWidget* w : {static_cast<QWidget*>(percent), static_cast<QWidget*>(count),
                           static_cast<QWidget*>(burn), static_cast<QWidget*>(intent),
                           static_cast<QWidget*>(name)}) {
            layout->addWidget(w);
        }
        layout->addWidget(ButtonBox());
        AddControl(kPercent, percent);
        AddControl(kCount, count);
        AddControl(kBurn, burn);
        AddControl(kIntent, intent);
        AddControl(kName, name);
    }

    PercentField percentField{50};
    PercentField countField{3};
    Field<bool> burnField{false};
    Field<std::string> intentField{"Hue"};
    Field<std::string> nameField{"Eyes Blink"};
    int statusUpdates = 0;
    int closes = 0;

    QLineEdit* percent;
    UpDownEdit* count;
    QCheckBox* burn;
    QComboBox* intent;
    QLineEdit* name;

protected:
    void BindFields() override {
        Bind(kPercent, percentField);
        Bind(kCount, countField);
        Bind(kBurn, burnField);
        Bind(kIntent, intentField);
        Bind(kName, nameField);
    }
    void UpdateStatus() override { ++statusUpdates; }
    void OnClose() override { ++closes; }
};

class OptionsDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        owner.setGeometry(100, 80, 600, 500);
        owner.show();
        dlg = std::make_unique<SampleDlg>(&owner);
        dlg->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
    }
    void Type(QWidget* w, const char* text) {
        w->setFocus();
        QTest::keyClicks(w, text);
    }
    static QColor BaseColour(QWidget* w) {
        const QImage image = w->grab().toImage();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }

    QWidget owner;
    std::unique_ptr<SampleDlg> dlg;
};

TEST_F(OptionsDlgTest, OpensWithEveryFieldShownCentredOverItsOwnerAndOkEnabled) {
    EXPECT_EQ(dlg->percent->text(), "50");
    EXPECT_EQ(dlg->count->Text(), "3");
    EXPECT_FALSE(dlg->burn->isChecked());
    EXPECT_EQ(dlg->intent->currentText(), "Hue");
    EXPECT_EQ(dlg->name->text(), "Eyes Blink");
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
    EXPECT_GT(dlg->statusUpdates, 0);
    const QRect o = owner.frameGeometry();
    const QRect d = dlg->frameGeometry();
    EXPECT_EQ(d.left(), o.left() + (o.width() - d.width()) / 2);
    EXPECT_EQ(d.top(), o.top() + (o.height() - d.height()) / 2);
    EXPECT_FALSE(dlg->Icon(OptionsDlgBase::StatusIcon::Error).isNull());
    EXPECT_FALSE(dlg->IsFieldValid(999));
}

TEST_F(OptionsDlgTest, AnUnacceptableEntryTurnsPinkAndBlocksOkAndEnter) {
    const QColor normal = BaseColour(dlg->percent);
    dlg->percent->setFocus();
    dlg->percent->selectAll();
    QTest::keyClick(dlg->percent, Qt::Key_Backspace);
    EXPECT_EQ(dlg->percentField.value, 0u);
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    EXPECT_EQ(BaseColour(dlg->percent), OptionsDlgBase::kErrorColor);
    EXPECT_NE(BaseColour(dlg->name), OptionsDlgBase::kErrorColor);

    QTest::keyClick(dlg->percent, Qt::Key_Return);
    EXPECT_TRUE(dlg->isVisible());
    dlg->accept();
    EXPECT_TRUE(dlg->isVisible());

    Type(dlg->percent, "1");
    EXPECT_EQ(dlg->percentField.value, 1u);
    Type(dlg->percent, "0");
    EXPECT_EQ(dlg->percentField.value, 10u);
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
    EXPECT_EQ(BaseColour(dlg->percent), normal);
    QTest::keyClick(dlg->percent, Qt::Key_Return);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(dlg->closes, 1);
}

// Fields laid out taller than the screen: the dialog keeps to the screen and
// its fields scroll above buttons that stay in view.
TEST(OptionsDlgFitTest, ADialogTallerThanTheScreenScrollsItsFieldsAboveItsButtons) {
    QWidget owner;
    owner.setGeometry(100, 80, 600, 500);
    owner.show();
    SampleDlg dlg(&owner);
    const QRect area = owner.screen()->availableGeometry();
    dlg.name->setMinimumHeight(area.height() * 2);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    EXPECT_TRUE(area.contains(dlg.frameGeometry()));
    for (QWidget* button : {dlg.OkButton(), dlg.CancelButton()}) {
        EXPECT_EQ(button->visibleRegion().boundingRect(), button->rect());
        EXPECT_TRUE(dlg.rect().contains(QRect(button->mapTo(&dlg, QPoint()), button->size())));
    }
    // The fields still work, and the focus starts in the first of them.
    EXPECT_EQ(dlg.percent->text(), "50");
    EXPECT_EQ(dlg.focusWidget(), dlg.percent);
    dlg.name->setFocus();
    QTest::keyClicks(dlg.name, "!");
    EXPECT_EQ(dlg.nameField.value, "Eyes Blink!");
}

TEST_F(OptionsDlgTest, EscapeCancelsEvenWhileAFieldIsUnacceptable) {
    dlg->percent->setText("500");
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    QTest::keyClick(dlg->percent, Qt::Key_Escape);
    EXPECT_FALSE(dlg->isVisible());
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
}

TEST_F(OptionsDlgTest, LeavingAnEditShowsItsNormalForm) {
    dlg->percent->selectAll();
    Type(dlg->percent, "12abc");
    EXPECT_EQ(dlg->percentField.value, 12u);
    EXPECT_EQ(dlg->percent->text(), "12abc");
    dlg->name->setFocus();
    EXPECT_EQ(dlg->percent->text(), "12");

    dlg->count->Edit()->selectAll();
    Type(dlg->count, "7 loops");
    EXPECT_EQ(dlg->countField.value, 7u);
    dlg->name->setFocus();
    EXPECT_EQ(dlg->count->Text(), "7");
}

TEST_F(OptionsDlgTest, CheckBoxAndComboBoxUpdateTheirFields) {
    QTest::keyClick(dlg->burn, Qt::Key_Space);
    EXPECT_TRUE(dlg->burnField.value);
    QTest::keyClick(dlg->burn, Qt::Key_Space);
    EXPECT_FALSE(dlg->burnField.value);

    dlg->intent->setFocus();
    QTest::keyClick(dlg->intent, Qt::Key_Down);
    EXPECT_EQ(dlg->intentField.value, "Saturation");
}

TEST_F(OptionsDlgTest, ArrowsStepTheFieldWhateverTheControlsOwnRange) {
    QStyleOptionSpinBox option;
    option.initFrom(dlg->count);
    option.subControls = QStyle::SC_SpinBoxUp | QStyle::SC_SpinBoxDown;
    option.stepEnabled = QAbstractSpinBox::StepUpEnabled | QAbstractSpinBox::StepDownEnabled;
    const QRect up = dlg->count->style()->subControlRect(QStyle::CC_SpinBox, &option,
                                                         QStyle::SC_SpinBoxUp, dlg->count);
    QTest::mouseClick(dlg->count, Qt::LeftButton, {}, up.center());
    EXPECT_EQ(dlg->countField.value, 4u);
    EXPECT_EQ(dlg->count->Text(), "4");
    dlg->countField.value = 3;

    dlg->count->setFocus();
    QTest::keyClick(dlg->count, Qt::Key_Up);
    EXPECT_EQ(dlg->countField.value, 4u);
    EXPECT_EQ(dlg->count->Text(), "4");
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(dlg->count, Qt::Key_Down);
    }
    EXPECT_EQ(dlg->countField.value, 0u);
    EXPECT_FALSE(dlg->OkButton()->isEnabled());
    EXPECT_EQ(BaseColour(dlg->count->Edit()), OptionsDlgBase::kErrorColor);
    QTest::keyClick(dlg->count, Qt::Key_PageUp);
    EXPECT_EQ(dlg->countField.value, 10u);
    EXPECT_TRUE(dlg->OkButton()->isEnabled());
}

TEST_F(OptionsDlgTest, ReopeningBindsAndShowsTheFieldsAgain) {
    dlg->reject();
    EXPECT_EQ(dlg->closes, 1);
    dlg->nameField.value = "Mouth OOO";
    dlg->show();
    EXPECT_EQ(dlg->name->text(), "Mouth OOO");
}

} // namespace
} // namespace vel::wingui
