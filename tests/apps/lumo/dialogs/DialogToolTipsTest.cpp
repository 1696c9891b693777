#include "apps/lumo/dialogs/AnimateDlg.h"
#include "apps/lumo/dialogs/ExportVideoOptionsDlg.h"
#include "apps/lumo/dialogs/NewKnobDlg.h"
#include "apps/lumo/document/LumoDocument.h"

#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace vel::lumo {
namespace {

// Every control of the dialog that takes a value or acts explains itself;
// answers how many there were.
int ExpectEveryFieldExplained(const QDialog& dialog) {
    int fields = 0;
    for (const QWidget* control : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (qobject_cast<const QLineEdit*>(control) || qobject_cast<const QComboBox*>(control) ||
            qobject_cast<const QAbstractButton*>(control) ||
            qobject_cast<const QListWidget*>(control) ||
            qobject_cast<const QAbstractSpinBox*>(control)) {
            ++fields;
            EXPECT_FALSE(control->toolTip().isEmpty())
                << dialog.windowTitle().toStdString() << ": a "
                << control->metaObject()->className() << " without a tooltip";
        }
    }
    return fields;
}

TEST(DialogToolTipsTest, EveryFieldOfEveryDialogHasATooltip) {
    QWidget owner;
    const std::unique_ptr<LumoDocument> document = LumoDocument::New();
    EXPECT_EQ(ExpectEveryFieldExplained(NewKnobDlg(&owner, *document, 0)), 9);
    EXPECT_EQ(ExpectEveryFieldExplained(ExportVideoOptionsDlg(&owner, *document)), 9);
    EXPECT_EQ(ExpectEveryFieldExplained(LipSyncDlg(&owner, *document)), 6);
    EXPECT_EQ(ExpectEveryFieldExplained(BlinksDlg(&owner, *document)), 4);
    EXPECT_EQ(ExpectEveryFieldExplained(FlickerDlg(&owner, *document)), 6);
}

} // namespace
} // namespace vel::lumo
