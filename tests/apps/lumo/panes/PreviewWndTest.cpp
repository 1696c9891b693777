#include "apps/lumo/panes/PreviewWnd.h"

#include "apps/lumo/document/ShapeCommands.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PoseColors.h"
#include "apps/lumo/render/PumpkinRenderer.h"
#include "apps/lumo/render/TargetMapping.h"
#include "tests/apps/lumo/panes/PreviewFixture.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace vel::lumo::test {
namespace {

TEST_F(PreviewWndTest, ThreeClicksDrawALitTriangleAndEachClickIsOneUndoStep) {
    preview->StoreSelection({7, 1, 1});
    Click(At(-0.5f, -0.5f));
    ASSERT_EQ(TheModel().GetShapeCount(), 1u);
    EXPECT_EQ(TheModel().GetPoseCount(0), 1u);
    EXPECT_EQ(TheModel().GetPoseKnobKey(0, 0), KnobKey("first"));
    EXPECT_EQ(Points(0).size(), 1u);
    EXPECT_EQ(Selected(), (Selection{0, 0, 0}));
    Click(At(0.5f, -0.5f));
    Click(At(0.0f, 0.5f));
    EXPECT_EQ(Points(0).size(), 3u);
    EXPECT_EQ(Points(0)[2], ToModel(At(0.0f, 0.5f)));
    EXPECT_EQ(document->GetUndoCount(), 3u);

    const QImage shot = preview->grab().toImage();
    const graphics::Color candle = FillColor(document->EvaluateFrame(0)[0].color);
    EXPECT_EQ(shot.pixel(At(0.0f, -0.2f)) & 0xFFFFFF, candle.Rgb());
    EXPECT_EQ(shot.pixel(At(0.0f, -0.8f)) & 0xFFFFFF, 0u);
    EXPECT_EQ(shot.pixel(At(0.7f, 0.5f)) & 0xFFFFFF, 0u);

    ASSERT_TRUE(document->Undo());
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(Points(0).size(), 1u);
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(TheModel().GetShapeCount(), 0u);
    EXPECT_EQ(Selected(), (Selection{7, 1, 1}));
    ASSERT_TRUE(document->Redo());
    EXPECT_EQ(Points(0).size(), 1u);
    EXPECT_EQ(Selected(), (Selection{0, 0, 0}));
}

TEST_F(PreviewWndTest, AClickOnAShapeWithoutPosesGivesItABasePoseAndAppendsToIt) {
    AddShape(*document, {});
    AddTriangles(1);
    Select({0, 0, 0});
    Click(At(0.9f, 0.9f));
    EXPECT_EQ(TheModel().GetShapeCount(), 2u);
    EXPECT_EQ(Points(0).size(), 1u);
    Select({1, 0, 0});
    Click(At(-0.7f, 0.7f));
    ASSERT_EQ(Points(1).size(), 4u);
    EXPECT_EQ(Points(1)[3], ToModel(At(-0.7f, 0.7f)));
}

TEST_F(PreviewWndTest, AClickThatFocusesThePaneDoesNothingElse) {
    AddTriangles(1);
    Select({0, 0, 0});
    other->setFocus();
    ASSERT_FALSE(preview->hasFocus());
    Click(At(-0.8f, -0.1f));
    EXPECT_TRUE(preview->hasFocus());
    EXPECT_EQ(document->GetUndoCount(), 0u);
    Click(At(-0.8f, -0.1f));
    EXPECT_EQ(Points(0).size(), 4u);
}

TEST_F(PreviewWndTest, TheNearestPointWinsAndTheReferencePoseLosesTies) {
    AddShape(*document, {{{0.03f, 0.0f}, {0.0f, 0.025f}, {0.04f, 0.04f}},
                         {{0.5f, 0.5f}, {0.5f, 0.5f}, {0.5f, 0.5f}}});
    PreviewHit hit = HitTestPreview(document.get(), {0, 0, 0}, 0, {0.0f, 0.0f});
    EXPECT_TRUE(hit.onPoint);
    EXPECT_EQ(hit.point, 1u);
    hit = HitTestPreview(document.get(), {0, 0, 0}, 0, {0.08f, 0.0f});
    EXPECT_FALSE(hit.onPoint) << "0.05 away";
    hit = HitTestPreview(document.get(), {0, 0, 0}, 0, {0.04f, 0.0f});
    EXPECT_TRUE(hit.onPoint);
    EXPECT_EQ(hit.point, 0u);

    // A reference point exactly as near as the edited one loses, a nearer one wins.
    document->GetModel().SetPoint(0, 1, 0, {-0.025f, 0.0f});
    hit = HitTestPreview(document.get(), {0, 0, 1}, 0, {0.0f, 0.0f});
    EXPECT_EQ(hit.pointPose, 0u);
    EXPECT_EQ(hit.point, 1u);
    document->GetModel().SetPoint(0, 1, 0, {-0.024f, 0.0f});
    hit = HitTestPreview(document.get(), {0, 0, 1}, 0, {0.0f, 0.0f});
    EXPECT_EQ(hit.pointPose, 1u);
    EXPECT_EQ(hit.point, 0u);
    EXPECT_FALSE(HitTestPreview(nullptr, {0, 0, 0}, 0, {0.0f, 0.0f}).onPoint);
}

TEST_F(PreviewWndTest, ShapesAreHitTopmostFirstByTheEvenOddRule) {
    AddTriangles(1);
    AddShape(*document, {{{-1.0f, -0.1f}, {0.0f, -0.1f}, {0.0f, 0.1f}, {-1.0f, 0.1f}}});
    // A five-pointed star drawn in one stroke: its centre is wound twice and so lies outside.
    std::vector<Point> star;
    for (int k = 0; k < 5; ++k) {
        const double angle = (90.0 + 144.0 * k) * 3.14159265358979 / 180.0;
        star.push_back({0.7f + 0.4f * float(std::cos(angle)), 0.4f * float(std::sin(angle))});
    }
    AddShape(*document, {star});
    PreviewHit hit = HitTestPreview(document.get(), {9, 0, 0}, 0, {-0.8f, 0.0f});
    EXPECT_TRUE(hit.insideShape);
    EXPECT_EQ(hit.shape, 1u);
    EXPECT_EQ(HitTestPreview(document.get(), {9, 0, 0}, 0, {-0.8f, 0.2f}).shape, 0u);
    EXPECT_FALSE(HitTestPreview(document.get(), {9, 0, 0}, 0, {0.7f, 0.0f}).insideShape);
    EXPECT_EQ(HitTestPreview(document.get(), {9, 0, 0}, 0, {0.7f, 0.3f}).shape, 2u);
}

TEST_F(PreviewWndTest, APointDragIsOneStepAndEscapePutsThePointBack) {
    AddTriangles(1);
    Select({0, 0, 0});
    const std::vector<Point> before = Points(0);
    Drag(At(-1.1f, -0.3f), At(-1.2f, -0.6f), {}, true);
    EXPECT_EQ(Points(0), before);
    EXPECT_EQ(document->GetUndoCount(), 0u);

    // Keys meant for the main window wait until the gesture is over.
    QTest::mousePress(preview, Qt::LeftButton, {}, At(-1.1f, -0.3f));
    QTest::mouseMove(preview, At(-1.2f, -0.6f));
    QTest::keyClick(preview, Qt::Key_Z, Qt::ControlModifier);
    QTest::keyClick(preview, Qt::Key_Space);
    QTest::mouseRelease(preview, Qt::LeftButton, {}, At(-1.2f, -0.6f));
    EXPECT_TRUE(window.keys.empty());
    EXPECT_EQ(TheModel().GetShapeCount(), 1u);
    ASSERT_TRUE(document->Undo());

    Drag(At(-1.1f, -0.3f), At(-1.2f, -0.6f));
    EXPECT_EQ(Points(0)[0], ToModel(At(-1.2f, -0.6f)));
    EXPECT_EQ(Points(0)[1], before[1]);
    EXPECT_EQ(document->GetUndoCount(), 1u);
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(Points(0), before);

    // Far outside the pane the point stays on its edge.
    Drag(At(-1.1f, -0.3f), QPoint(-5000, 90000));
    EXPECT_EQ(Points(0)[0], ToModel(QPoint(0, Height)));
    Drag(At(-0.5f, -0.3f), QPoint(1 << 30, -(1 << 30)));
    EXPECT_EQ(Points(0)[1], ToModel(QPoint(Width, 0)));
}

TEST_F(PreviewWndTest, ShiftDragsMoveTheWholeShapeOrOnlyTheEditedPose) {
    AddTriangles(1);
    AddShape(*document, {{{0.2f, -0.3f}, {0.6f, -0.3f}, {0.4f, 0.3f}},
                         {{0.2f, -0.2f}, {0.6f, -0.2f}, {0.4f, 0.4f}}});
    Select({0, 0, 0});
    const std::vector<Point> base = Points(1, 0);
    const std::vector<Point> blink = Points(1, 1);
    const QPoint from = At(0.4f, 0.0f);
    const QPoint to = from + QPoint(30, -15);
    const Point offset = {ToModel(to).x - ToModel(from).x, ToModel(to).y - ToModel(from).y};

    // Escape during a shape drag leaves everything, the new selection aside.
    Drag(from, to, Qt::ShiftModifier, true);
    EXPECT_EQ(Selected(), (Selection{1, 0, 0}));
    ExpectNear(Points(1, 0), base);
    EXPECT_EQ(document->GetUndoCount(), 0u);

    Select({0, 0, 0});
    Drag(from, to, Qt::ShiftModifier);
    EXPECT_EQ(Selected(), (Selection{1, 0, 0}));
    EXPECT_NEAR(Points(1, 0)[2].x, base[2].x + offset.x, 1e-5);
    EXPECT_NEAR(Points(1, 1)[2].y, blink[2].y + offset.y, 1e-5);
    EXPECT_EQ(document->GetUndoCount(), 1u);
    ASSERT_TRUE(document->Undo());
    ExpectNear(Points(1, 0), base);

    // The selected shape with a reference pose shown: only the edited pose moves.
    Select({1, 1, 0});
    Drag(from, to, Qt::ShiftModifier, true);
    ExpectNear(Points(1, 1), blink);
    EXPECT_EQ(document->GetUndoCount(), 0u);
    Drag(from, to, Qt::ShiftModifier);
    ExpectNear(Points(1, 0), base);
    EXPECT_NEAR(Points(1, 1)[0].x, blink[0].x + offset.x, 1e-5);
    ASSERT_TRUE(document->Undo());
    ExpectNear(Points(1, 1), blink);

    // A Shift click on the selected shape adds a point.
    Click(from, Qt::ShiftModifier);
    EXPECT_EQ(Points(1, 0).size(), 4u);
}

TEST_F(PreviewWndTest, DeletingShapesSelectsTheOneThatTakesTheirPlace) {
    ChoosingMenuRunner menu("Delete Shape");
    AddTriangles(3);
    RightClick(At(0.8f, 0.0f));
    ASSERT_EQ(menu.shown, 1);
    EXPECT_EQ(menu.items, (QStringList{"Delete Shape", "Illumination", "Illumination/Candle Color",
                                       "Illumination/Dark"}));
    EXPECT_EQ(TheModel().GetShapeCount(), 2u);
    EXPECT_EQ(Selected(), (Selection{1, 0, 0}));
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(TheModel().GetShapeCount(), 3u);
    EXPECT_EQ(Selected(), (Selection{2, 0, 0}));

    RightClick(At(-0.8f, 0.0f));
    EXPECT_EQ(Selected(), (Selection{0, 0, 0}));
    EXPECT_EQ(Points(0)[2].x, 0.0f) << "the former second shape";
    RightClick(At(0.0f, 0.0f));
    RightClick(At(0.8f, 0.0f));
    EXPECT_EQ(TheModel().GetShapeCount(), 0u);
    EXPECT_EQ(Selected(), (Selection{0, 0, 0}));
    // Nothing is selected now; deleting again changes nothing.
    const size_t steps = document->GetUndoCount();
    preview->OnCommand(IdDeleteShape);
    EXPECT_EQ(document->GetUndoCount(), steps);
}

TEST_F(PreviewWndTest, TheContextMenuDeletesWebsAndSetsIllumination) {
    AddTriangles(1);
    Select({0, 0, 0});
    {
        ChoosingMenuRunner menu("Delete Web");
        RightClick(At(-0.8f, 0.3f));
        EXPECT_EQ(menu.items.front(), "Delete Web");
        EXPECT_EQ(Points(0).size(), 2u);
        EXPECT_EQ(Points(0)[1].x, -0.5f);
    }
    ASSERT_TRUE(document->Undo());
    {
        ChoosingMenuRunner menu("Illumination/Dark");
        RightClick(At(-0.8f, 0.0f));
        EXPECT_EQ(TheModel().GetShapeIllumination(0), 0u);
    }
    {
        // Outside every shape and point: no shape is selected and no menu shows.
        ChoosingMenuRunner menu("Delete Shape");
        RightClick(At(0.8f, 0.8f));
        EXPECT_EQ(menu.shown, 0);
        EXPECT_EQ(Selected(), (Selection{1, 0, 0}));
    }
}

// Only the left click that focuses the pane is eaten: the right press selects
// the shape under the mouse before its menu opens, and the menu acts on it.
TEST_F(PreviewWndTest, ARightClickOnTheUnfocusedPaneActsOnTheShapeUnderTheMouse) {
    AddTriangles(3);
    Select({0, 0, 0});
    other->setFocus();
    {
        ChoosingMenuRunner menu("Illumination/Dark");
        RightClick(At(0.0f, 0.0f));
        EXPECT_EQ(menu.shown, 1);
    }
    EXPECT_TRUE(preview->hasFocus());
    EXPECT_EQ(Selected(), (Selection{1, 0, 0}));
    EXPECT_EQ(TheModel().GetShapeIllumination(0), Shape::CandleColor);
    EXPECT_EQ(TheModel().GetShapeIllumination(1), 0u);

    other->setFocus();
    {
        ChoosingMenuRunner menu("Delete Shape");
        RightClick(At(0.8f, 0.0f));
    }
    ASSERT_EQ(TheModel().GetShapeCount(), 2u);
    EXPECT_EQ(Points(0)[2].x, -0.8f);
    EXPECT_EQ(Points(1)[2].x, 0.0f);
    EXPECT_EQ(Selected(), (Selection{1, 0, 0}));

    // A menu opened from the keyboard comes without a press: it still acts on
    // the shape it was offered for, not on the selected one.
    Select({0, 0, 0});
    ChoosingMenuRunner menu("Delete Shape");
    QContextMenuEvent key(QContextMenuEvent::Keyboard, At(0.0f, 0.0f),
                          preview->mapToGlobal(At(0.0f, 0.0f)));
    QApplication::sendEvent(preview, &key);
    ASSERT_EQ(TheModel().GetShapeCount(), 1u);
    EXPECT_EQ(Points(0)[2].x, -0.8f);
    EXPECT_EQ(Selected(), (Selection{0, 0, 0}));
}

TEST_F(PreviewWndTest, SpaceStartsAShapeDeleteIsSwallowedOtherKeysTravelOn) {
    AddTriangles(1);
    Select({0, 0, 0});
    QTest::keyClick(preview, Qt::Key_Space);
    EXPECT_EQ(TheModel().GetShapeCount(), 2u);
    EXPECT_EQ(TheModel().GetPoseCount(1), 0u);
    EXPECT_EQ(Selected(), (Selection{1, 0, 0}));
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(Selected(), (Selection{0, 0, 0}));

    QTest::keyClick(preview, Qt::Key_Delete);
    QTest::keyClick(preview, Qt::Key_Home);
    EXPECT_EQ(window.keys, (std::vector<int>{Qt::Key_Home}));
    EXPECT_EQ(TheModel().GetShapeCount(), 1u);
}

TEST_F(PreviewWndTest, MarkersAreWhiteAloneAndOrangeAndBlueWhenComparing) {
    // Two lines along the middles of pixel rows 74 and 224.
    const Point top0 = ToModel({100, 74}), top1 = ToModel({300, 74});
    const Point low0 = ToModel({100, 224}), low1 = ToModel({300, 224});
    const float half = 0.5f / (Height / 2.0f);
    AddShape(*document, {{{top0.x, top0.y - half}, {top1.x, top1.y - half}},
                         {{low0.x, low0.y - half}, {low1.x, low1.y - half}}});
    Select({0, 0, 0});
    QImage shot = preview->grab().toImage();
    EXPECT_LT(Distance(shot, {200, 74}, 0xFFFFFF), 8);
    EXPECT_GT(Distance(shot, {200, 224}, 0xFFFFFF), 200) << "the other pose is not shown";

    Select({0, 0, 1});
    shot = preview->grab().toImage();
    EXPECT_LT(Distance(shot, {200, 74}, EditedPoseColor), 8);
    EXPECT_LT(Distance(shot, {200, 224}, ReferencePoseColor), 8);

    // Without the focus the markers go.
    other->setFocus();
    shot = preview->grab().toImage();
    EXPECT_GT(Distance(shot, {200, 74}, EditedPoseColor), 100);
}

TEST_F(PreviewWndTest, CraftedCoordinatesNeitherHangNorCrash) {
    constexpr float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr float inf = std::numeric_limits<float>::infinity();
    ChoosingMenuRunner dismiss("");
    AddShape(*document, {{{nan, 0.0f}, {0.5f, nan}, {0.0f, 0.5f}, {inf, -inf}}});
    AddShape(*document, {{{-1e30f, -1e30f}, {1e30f, -1e30f}, {0.0f, 1e30f}}});
    AddShape(*document, {{{-3e38f, 0.0f}, {3e38f, 0.1f}, {0.0f, 3e38f}}});
    for (uint64_t shape : {0u, 1u, 2u}) {
        Select({shape, 0, 0});
        (void)preview->grab();
        Drag(At(0.0f, 0.0f), At(0.1f, 0.1f), Qt::ShiftModifier);
        Drag(At(0.0f, 0.0f), At(0.1f, 0.1f), Qt::ShiftModifier, true);
        RightClick(At(0.0f, 0.0f));
        QPoint joystick;
        EXPECT_TRUE(preview->OnVirtJoystick(0, joystick) != nullptr);
        EXPECT_TRUE(preview->rect().contains(joystick));
    }
}

TEST_F(PreviewWndTest, AVirtualJoystickDragsTheSelectedShapeFromItsFirstPoint) {
    AddTriangles(1);
    QPoint start;
    Select({5, 0, 0});
    EXPECT_EQ(preview->OnVirtJoystick(0, start), nullptr);

    Select({0, 0, 0});
    std::unique_ptr<wingui::DragState> drag = preview->OnVirtJoystick(0, start);
    ASSERT_NE(drag, nullptr);
    EXPECT_EQ(start, At(-1.1f, -0.3f));
    const std::vector<Point> before = Points(0);
    drag->OnMouseMove(start + QPoint(15, 0));
    EXPECT_NEAR(Points(0)[0].x, before[0].x + 0.1f, 1e-5);
    drag->OnLButtonUp(start + QPoint(15, 0));
    drag.reset();
    EXPECT_EQ(document->GetUndoCount(), 1u);
    ASSERT_TRUE(document->Undo());
    ExpectNear(Points(0), before);
}

// Shape indexes are never folded into 16 bits.
TEST_F(PreviewWndTest, AShapeBeyondIndex65535IsSelectedAsItself) {
    ChoosingMenuRunner dismiss("");
    for (int i = 0; i < 70000; ++i) {
        AddShape(*document, {{{-0.1f, -0.1f}, {0.1f, -0.1f}, {0.0f, 0.1f}}});
    }
    RightClick(At(0.0f, 0.0f));
    EXPECT_EQ(Selected().shape, 69999u);
}

TEST_F(PreviewWndTest, APreviewWithoutADocumentPaintsBlackAndIgnoresTheMouse) {
    PaneTestHost host;
    PreviewWnd preview(nullptr, &host);
    preview.resize(50, 40);
    preview.show();
    preview.setFocus();
    QTest::mouseClick(&preview, Qt::LeftButton, {}, {10, 10});
    QPoint start;
    EXPECT_EQ(preview.OnVirtJoystick(0, start), nullptr);
    EXPECT_EQ(preview.grab().toImage().pixel(25, 20) & 0xFFFFFF, 0u);
}

TEST_F(PreviewWndTest, TheHintFollowsWhatIsUnderTheMouseTheModifiersAndTheFocus) {
    AddTriangles(2);
    document->Execute(SetShapeNameCmd(document.get(), 0, "Mouth"));
    document->Execute(SetShapeNameCmd(document.get(), 1, "Eyes"));
    Select({0, 0, 0});
    const QPoint inMouth = At(-0.8f, -0.1f);
    EXPECT_EQ(preview->Hint(inMouth, {}).text,
              "Click: add a point to Mouth \u00B7 Shift+drag: move Mouth \u00B7 Space: start a "
              "new shape \u00B7 Right-click: shape menu");
    EXPECT_EQ(preview->Hint(inMouth, Qt::ShiftModifier).text,
              "Shift+drag: move Mouth \u00B7 Right-click: shape menu");
    EXPECT_EQ(preview->Hint(At(0.0f, 0.0f), {}).text.rfind("Click: select Eyes", 0), 0u);
    EXPECT_EQ(preview->Hint(At(-1.1f, -0.3f), {}).text, "Drag: move this point \u00B7 "
                                                        "Right-click: point menu");
    other->setFocus();
    EXPECT_EQ(preview->Hint(inMouth, {}).text, ActivateHint("preview"));
}

TEST_F(PreviewWndTest, AnEmptyDocumentShowsAFaintFirstStepAndAShapeTakesItAway) {
    const auto faintPixels = [this] {
        const QImage shot = preview->grab().toImage();
        int count = 0;
        for (int x = 0; x < Width; ++x) {
            for (int y = Height / 2 - 12; y < Height / 2 + 12; ++y) {
                const QRgb pixel = shot.pixel(x, y);
                EXPECT_LE(std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}), 0x50);
                count += (pixel & 0xFFFFFF) != 0 ? 1 : 0;
            }
        }
        return count;
    };
    EXPECT_GT(faintPixels(), 50);
    AddShape(*document, {{{0.9f, 0.9f}, {0.95f, 0.9f}, {0.95f, 0.95f}}});
    EXPECT_EQ(faintPixels(), 0);
}

} // namespace
} // namespace vel::lumo::test
