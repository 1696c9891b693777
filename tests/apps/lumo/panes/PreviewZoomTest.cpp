#include "apps/lumo/panes/PreviewZoom.h"

#include "tests/apps/lumo/panes/PreviewFixture.h"

#include <QWheelEvent>

namespace vel::lumo::test {
namespace {

void ExpectNear(Point actual, Point expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

TEST(PreviewZoomTest, ZoomingKeepsTheModelPointUnderTheAnchorAndStaysWithinLimits) {
    PreviewZoom zoom;
    EXPECT_TRUE(zoom.IsFit());
    zoom.ZoomAround({0.3f, -0.2f}, 4.0);
    EXPECT_EQ(zoom.Scale(), 4.0);
    ExpectNear(zoom.ToModel({0.3f, -0.2f}), {0.3f, -0.2f});
    const Point held = zoom.ToModel({-0.5f, 0.5f});
    zoom.ZoomAround({-0.5f, 0.5f}, 0.75);
    ExpectNear(zoom.ToModel({-0.5f, 0.5f}), held);
    ExpectNear(zoom.ToShown(zoom.ToModel({0.7f, 0.1f})), {0.7f, 0.1f});

    zoom.ZoomAround({}, 1e9);
    EXPECT_EQ(zoom.Scale(), PreviewZoom::MaxScale);
    zoom.ZoomAround({}, std::numeric_limits<double>::quiet_NaN());
    zoom.ZoomAround({}, 0.0);
    EXPECT_EQ(zoom.Scale(), PreviewZoom::MaxScale);
    // Fully zoomed out, the picture is whole again wherever it was panned.
    zoom.ZoomAround({0.9f, 0.9f}, 1e-9);
    EXPECT_TRUE(zoom.IsFit());
}

TEST(PreviewZoomTest, PanningMovesThePictureByShownUnits) {
    PreviewZoom zoom;
    zoom.ZoomAround({}, 2.0);
    const Point before = zoom.ToModel({0.1f, 0.1f});
    zoom.Pan({0.2f, -0.4f});
    ExpectNear(zoom.ToModel({0.3f, -0.3f}), before);
    zoom.Fit();
    EXPECT_TRUE(zoom.IsFit());
}

class PreviewZoomWndTest : public PreviewWndTest {
protected:
    void Pan(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint from, QPoint to,
             bool escape = false) {
        QTest::mousePress(preview, button, modifiers, from);
        QTest::mouseMove(preview, (from + to) / 2);
        QTest::mouseMove(preview, to);
        if (escape) {
            QTest::keyClick(preview, Qt::Key_Escape);
        }
        QTest::mouseRelease(preview, button, modifiers, to);
    }
};

TEST_F(PreviewZoomWndTest, CtrlWheelZoomsAroundTheMouseAndAPlainWheelDoesNot) {
    const QPoint mouse = At(0.4f, -0.3f);
    const Point under = preview->ClientToModel(mouse);
    Wheel(mouse, 120, {});
    EXPECT_TRUE(preview->Zoom().IsFit());
    Wheel(mouse, 360, Qt::ControlModifier);
    EXPECT_NEAR(preview->Zoom().Scale(), 1.25 * 1.25 * 1.25, 1e-9);
    ExpectNear(preview->ClientToModel(mouse), under);
    // A pixel on the screen is that much less of the model.
    const Point next = preview->ClientToModel(mouse + QPoint(1, 0));
    EXPECT_NEAR(next.x - under.x, (ToModel({1, 0}).x - ToModel({0, 0}).x) / 1.953125f, 1e-5f);
    Wheel(mouse, -120 * 20, Qt::ControlModifier);
    EXPECT_TRUE(preview->Zoom().IsFit());
}

TEST_F(PreviewZoomWndTest, AClickAtAnyZoomAddsThePointAtTheModelCoordinatesUnderIt) {
    preview->ZoomAt(At(0.0f, 0.0f), 2.0);
    const QPoint target = At(0.5f, 0.25f);
    Click(target);
    ASSERT_EQ(Points(0).size(), 1u);
    const Point fitted = ToModel(target);
    ExpectNear(Points(0)[0], {fitted.x / 2, fitted.y / 2});

    // Panned 40 pixels right and 20 down, the same model point sits there.
    Pan(Qt::MiddleButton, {}, At(0.0f, 0.0f), At(0.0f, 0.0f) + QPoint(40, 20));
    EXPECT_EQ(document->GetUndoCount(), 1u);
    Click(target + QPoint(40, 20));
    ASSERT_EQ(Points(0).size(), 2u);
    ExpectNear(Points(0)[1], Points(0)[0]);
}

TEST_F(PreviewZoomWndTest, AMarkerIsHitAndDraggedAtZoom) {
    AddShape(*document, {{{0.05f, 0.0f}, {0.0f, 0.05f}, {-0.05f, 0.0f}}});
    Select({0, 0, 0});
    preview->ZoomAt(At(0.0f, 0.0f), 4.0);
    // Beside the marker on the screen, further than its reach at the whole picture.
    EXPECT_FALSE(preview->HitTest(At(0.2f, 0.0f) + QPoint(0, 12)).onPoint);
    const PreviewHit hit = preview->HitTest(At(0.2f, 0.0f));
    ASSERT_TRUE(hit.onPoint);
    EXPECT_EQ(hit.point, 0u);
    Drag(At(0.2f, 0.0f), At(0.4f, 0.2f));
    const Point fitted = ToModel(At(0.4f, 0.2f));
    ExpectNear(Points(0)[0], {fitted.x / 4, fitted.y / 4});
    EXPECT_EQ(document->GetUndoCount(), 1u);
}

TEST_F(PreviewZoomWndTest, MiddleAndAltDragsPanEscapeTakesThePanBackAndFitShowsTheWhole) {
    preview->ZoomAt(At(0.0f, 0.0f), 3.0);
    const QPoint from = At(-0.2f, 0.1f);
    const Point under = preview->ClientToModel(from);
    Pan(Qt::MiddleButton, {}, from, from + QPoint(30, -25));
    ExpectNear(preview->ClientToModel(from + QPoint(30, -25)), under);

    const Point second = preview->ClientToModel(from);
    Pan(Qt::LeftButton, Qt::AltModifier, from, from + QPoint(-50, 10));
    ExpectNear(preview->ClientToModel(from + QPoint(-50, 10)), second);
    EXPECT_EQ(document->GetUndoCount(), 0u) << "a pan adds no point";

    const Point third = preview->ClientToModel(from);
    Pan(Qt::MiddleButton, {}, from, from + QPoint(60, 60), true);
    ExpectNear(preview->ClientToModel(from), third);
    preview->FitPreview();
    EXPECT_TRUE(preview->Zoom().IsFit());
}

TEST_F(PreviewZoomWndTest, AnotherDocumentIsShownWhole) {
    preview->ZoomAt(At(0.3f, 0.3f), 5.0);
    const std::unique_ptr<LumoDocument> next = LumoDocument::New();
    preview->SetDocument(next.get());
    EXPECT_TRUE(preview->Zoom().IsFit());
    preview->SetDocument(document.get());
}

} // namespace
} // namespace vel::lumo::test
