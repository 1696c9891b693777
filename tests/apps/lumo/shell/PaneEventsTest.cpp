#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/panes/Pane.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "tests/apps/lumo/shell/ShellFixture.h"

#include <QApplication>
#include <QTest>
#include <cstddef>

namespace vel::lumo::test {
namespace {

class PaneEventsTest : public ShellTest {};

TEST_F(PaneEventsTest, KeysAPaneDoesNotUseReachTheMainWindow) {
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

// A timeline pane that counts its notifications. Every one is built in the
// same place in memory, so a registration that an earlier one left behind
// would reach the next one a second time instead of reaching freed memory.
class CountingTimeline : public TimelineWnd {
public:
    using TimelineWnd::TimelineWnd;

    static void* operator new(std::size_t) { return &place_; }
    static void operator delete(void*) {}

    void OnDocumentChange(Document* document, uint32_t changes) override {
        ++notifications;
        TimelineWnd::OnDocumentChange(document, changes);
    }

    int notifications = 0;

private:
    alignas(std::max_align_t) static inline std::byte place_[4096];
};
static_assert(sizeof(CountingTimeline) <= 4096);

TEST_F(PaneEventsTest, APaneGoneBeforeItsDocumentIsNeverNotified) {
    auto document = LumoDocument::New();
    auto gone = std::make_unique<CountingTimeline>(nullptr, window.get());
    gone->SetDocument(document.get());
    // Showing a document reads it through the same call.
    gone->notifications = 0;
    document->Notify(ChangeBits::Model);
    EXPECT_EQ(gone->notifications, 1);
    gone.reset();
    auto next = std::make_unique<CountingTimeline>(nullptr, window.get());
    next->SetDocument(document.get());
    next->notifications = 0;
    document->Notify(ChangeBits::Model);
    EXPECT_EQ(next->notifications, 1);

    // And a document gone before its pane leaves the pane nothing to reach.
    document.reset();
    EXPECT_EQ(next->GetDocument(), nullptr);
    next->resize(400, 300);
    EXPECT_FALSE(next->grab().isNull());
    next->SetDocument(nullptr);
}

// The window's document goes before the panes do; a drag still running must
// be put back first. Under the sanitizers, a late one reaches freed memory.
TEST_F(PaneEventsTest, AWindowClosedDuringADragPutsItBackWhileTheDocumentLives) {
    window->show();
    QApplication::setActiveWindow(window.get());
    TimelineWnd* timeline = window->Timeline();
    timeline->setFocus();
    const QPoint at(static_cast<int>(timeline->Geometry().FrameX(10)),
                    static_cast<int>(timeline->Geometry().ValueY(timeline->Rows()[1], 1, 0.25f)));
    QTest::mousePress(timeline, Qt::LeftButton, {}, at);
    QTest::mouseMove(timeline, at + QPoint(60, -10));
    ASSERT_TRUE(timeline->IsDragging());
    window.reset();
    // The user lets go over whatever is there now.
    QWidget under;
    under.show();
    QTest::mouseRelease(&under, Qt::LeftButton, {}, at);
}

} // namespace
} // namespace vel::lumo::test
