#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "tests/support/PaneTestHost.h"

#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <memory>

namespace vel::lumo::test {
namespace {

// A preview above a timeline, both shown by the host.
struct PaneSet {
    PaneSet(PaneTestHost& host, LumoDocument* document)
        : preview(new PreviewWnd(&window, &host)), timeline(new TimelineWnd(&window, &host)) {
        window.resize(400, 700);
        preview->setGeometry(0, 0, 400, 300);
        timeline->setGeometry(0, 300, 400, 400);
        host.views = {preview};
        host.widgets = {preview};
        host.timeline = timeline;
        preview->SetDocument(document);
        timeline->SetDocument(document);
        window.show();
    }

    // Frame f of knob row 1, halfway up.
    QPoint OnRow(std::uint32_t frame) const {
        const TimelineGeometry& g = timeline->Geometry();
        const std::size_t row = 1;
        const float y = g.ValueY(timeline->Rows()[row], row, 0.5f);
        return {int(std::lround(g.FrameX(frame))), int(std::lround(y))};
    }

    QWidget window;
    PreviewWnd* preview;
    TimelineWnd* timeline;
};

// The history outlives the panes whose gestures made its steps: undo and redo
// bring the selection and the frame back through the host, into whichever
// panes show them by then, or none.
TEST(SelectionCommandsTest, StepsUndoneAfterThePanesWereReplacedRestoreThroughTheHost) {
    std::unique_ptr<LumoDocument> document = LumoDocument::New();
    PaneTestHost host;
    auto first = std::make_unique<PaneSet>(host, document.get());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&first->window));
    first->window.activateWindow();
    host.RequestSelection({7, 1, 1});
    host.RequestFrame(3);

    first->preview->setFocus();
    QTest::mouseClick(first->preview, Qt::LeftButton, {}, QPoint(200, 150));
    ASSERT_EQ(document->GetModel().GetShapeCount(), 1u);
    ASSERT_EQ(first->preview->GetSelection(), (Selection{0, 0, 0}));
    first->timeline->setFocus();
    QTest::mouseClick(first->timeline, Qt::LeftButton, {}, first->OnRow(8));
    ASSERT_EQ(first->timeline->GetFrame(), 8u);
    ASSERT_EQ(document->GetUndoCount(), 2u);

    auto second = std::make_unique<PaneSet>(host, document.get());
    first.reset();
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(second->timeline->GetFrame(), 3u);
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(document->GetModel().GetShapeCount(), 0u);
    EXPECT_EQ(second->preview->GetSelection(), (Selection{7, 1, 1}));
    ASSERT_TRUE(document->Redo());
    EXPECT_EQ(second->preview->GetSelection(), (Selection{0, 0, 0}));
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(second->preview->GetSelection(), (Selection{7, 1, 1}));

    host.views.clear();
    host.widgets.clear();
    host.timeline = nullptr;
    second.reset();
    const int requests = host.selectionRequests;
    ASSERT_TRUE(document->Redo());
    ASSERT_TRUE(document->Redo());
    EXPECT_EQ(document->GetModel().GetShapeCount(), 1u);
    EXPECT_EQ(host.selectionRequests, requests + 1);
    EXPECT_EQ(host.frame, 8u);
}

} // namespace
} // namespace vel::lumo::test
