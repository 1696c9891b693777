#include "apps/lumo/dialogs/AboutBox.h"

#include "apps/lumo/dialogs/VersionInfo.h"

#include <QImage>
#include <QTest>
#include <gtest/gtest.h>

namespace vel::lumo {
namespace {

TEST(AboutBoxTest, TitleAndVersionTextFollowTheFlags) {
    VersionInfo info = VersionInfo::Program();
    EXPECT_EQ(info.ProductTitle(), "Vellumar Gourdglowlight");
    EXPECT_EQ(info.VersionText(), "0.5.0.0 pre-release");
    info.preRelease = false;
    info.companyName.clear();
    EXPECT_EQ(info.FullTitle(), "Gourdglowlight 0.5.0.0");
}

TEST(AboutBoxTest, TheBoxClosesOnAnyKeyOrClickAndShowsTheIcon) {
    for (const bool byKey : {true, false}) {
        AboutBox box(nullptr);
        box.show();
        EXPECT_EQ(box.size(), QSize(AboutBox::Width, AboutBox::Height));
        const QImage picture = box.grab().toImage();
        // The pumpkin's orange somewhere in the icon's square.
        bool orange = false;
        for (int y = 0; y < picture.height() && !orange; ++y) {
            for (int x = 0; x < picture.width() && !orange; ++x) {
                const QColor c = picture.pixelColor(x, y);
                orange = c.red() > 200 && c.green() > 80 && c.green() < 180 && c.blue() < 80;
            }
        }
        EXPECT_TRUE(orange);
        if (byKey) {
            QTest::keyClick(&box, Qt::Key_Q);
        } else {
            QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(400, 300));
        }
        EXPECT_EQ(box.result(), QDialog::Accepted);
        EXPECT_FALSE(box.isVisible());
    }
}

} // namespace
} // namespace vel::lumo
