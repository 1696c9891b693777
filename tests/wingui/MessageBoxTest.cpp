#include "wingui/MessageBox.h"

#include "tests/support/InstalledRunner.h"
#include "wingui/DialogRunner.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace vel::wingui {
namespace {

// Notes how wide the box opens, and closes it.
class Measuring : public DialogRunner {
public:
    int Run(QDialog& dialog) override {
        dialog.show();
        width = dialog.width();
        dialog.close();
        return QDialog::Accepted;
    }

    int width = 0;

private:
    testing::InstalledRunner<DialogRunner> installed_{this};
};

TEST(MessageBox, AShortMessageLeavesRoomForTheWholeCaption) {
    const QString caption = QStringLiteral("Vellumar Gourdglowlight");
    const Measuring measuring;
    ShowMessageBox(nullptr, caption, QMessageBox::Critical, QStringLiteral("No."));
    QFont bold;
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    // The caption in bold beside a window icon and three buttons.
    EXPECT_GE(measuring.width, metrics.horizontalAdvance(caption) + 4 * metrics.height());
}

} // namespace
} // namespace vel::wingui
