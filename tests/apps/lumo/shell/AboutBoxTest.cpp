#include "apps/lumo/dialogs/AboutBox.h"

#include "apps/lumo/dialogs/VersionInfo.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/panes/Pane.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QImage>
#include <QTest>

namespace vel::lumo::test {
namespace {

TEST(VersionInfo, TitleAndVersionTextFollowTheFlags) {
    VersionInfo info = VersionInfo::Program();
    EXPECT_EQ(info.ProductTitle(), "Vellumar Gourdglowlight");
    EXPECT_EQ(info.VersionText(), "0.5.0.0 pre-release");
    info.preRelease = false;
    info.companyName.clear();
    EXPECT_EQ(info.FullTitle(), "Gourdglowlight 0.5.0.0");
}

TEST(AboutBox, ClosesOnAnyKeyOrClickAndShowsTheIcon) {
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

TEST_F(ShellTest, KeysAPaneDoesNotUseReachTheMainWindow) {
    window->show();
    LumoDocument* document = window->GetDocument();
    document->GetTimeline().InsertAnchor(StandardKnobs()[0].key, 100, 0.5f);
    QTest::keyClick(window->Timeline(), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(window->GetFrame(), 30u);
    QTest::keyClick(window->Preview(), Qt::Key_F5);
    EXPECT_TRUE(window->IsPlaying());
    QTest::keyClick(window->Preview(), Qt::Key_Escape);
    EXPECT_FALSE(window->IsPlaying());
}

TEST_F(ShellTest, APaneGoneBeforeItsDocumentIsNeverNotified) {
    auto pane = std::make_unique<TimelineWnd>(nullptr, window.get());
    auto document = LumoDocument::New();
    pane->SetDocument(document.get());
    pane.reset();
    document->Notify(ChangeBits::Model);
    // And a document gone before its pane leaves the pane nothing to reach.
    auto survivor = std::make_unique<TimelineWnd>(nullptr, window.get());
    survivor->SetDocument(document.get());
    document.reset();
    survivor->SetDocument(nullptr);
}

} // namespace
} // namespace vel::lumo::test
