#include "apps/lumo/model/PumpkinModel.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/ShapeWnd.h"
#include "apps/lumo/render/TargetMapping.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/PaneTestHost.h"
#include "tests/support/TempFolder.h"

#include <QTest>
#include <cmath>

namespace vel::lumo::test {
namespace {

// What a user sees of a document: its shapes and its knobs.
struct Drawing {
    std::vector<Shape> shapes;
    std::vector<Knob> knobs;
    friend bool operator==(const Drawing&, const Drawing&) = default;
};

Drawing DrawingOf(const LumoDocument& document) {
    Drawing drawing{{}, document.GetKnobs()};
    for (uint64_t i = 0; i < document.GetModel().GetShapeCount(); ++i) {
        drawing.shapes.push_back(document.GetShape(i));
    }
    return drawing;
}

class FaceDrawingTest : public ShellTest {
protected:
    void SetUp() override {
        window->SetDocument(LumoDocument::New());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        window->activateWindow();
        preview = window->Preview();
        shapes = window->Shapes();
        preview->setFocus();
    }
    QPoint At(float x, float y) const {
        const graphics::PointF p =
            TargetMapping(float(preview->width()), float(preview->height())).ToTarget({x, y});
        return {int(std::lround(p.x)), int(std::lround(p.y))};
    }
    void Outline(std::initializer_list<Point> points) {
        for (Point p : points) {
            QTest::mouseClick(preview, Qt::LeftButton, {}, At(p.x, p.y));
        }
    }
    LumoDocument& Document() const { return *window->GetDocument(); }

    PreviewWnd* preview = nullptr;
    ShapeWnd* shapes = nullptr;
};

// From an empty document to a face with a blinking eye, every step undone
// and redone with its selection, saved and opened again.
TEST_F(FaceDrawingTest, AFaceDrawnWithTheMouseSurvivesUndoRedoAndTheFile) {
    const Drawing empty = DrawingOf(Document());
    const Selection start = preview->GetSelection();
    Outline({{-0.6f, 0.2f}, {-0.2f, 0.2f}, {-0.4f, 0.5f}});
    QTest::keyClick(preview, Qt::Key_Space);
    Outline({{0.2f, 0.2f}, {0.6f, 0.2f}, {0.4f, 0.5f}});
    QTest::keyClick(preview, Qt::Key_Space);
    Outline({{-0.5f, -0.4f}, {0.5f, -0.4f}, {0.3f, -0.6f}, {-0.3f, -0.6f}});
    ASSERT_EQ(Document().GetModel().GetShapeCount(), 3u);
    EXPECT_EQ(Document().GetPosePoints(2, 0).size(), 4u);

    // The left eye gets a pose driven by the standard blink knob...
    QTest::mouseClick(shapes, Qt::LeftButton, {}, shapes->ShapeLine(0));
    {
        ChoosingMenuRunner menu("Eyes Blink");
        QTest::mouseClick(shapes, Qt::LeftButton, {}, shapes->PoseLine(1, 0));
    }
    ASSERT_EQ(Document().GetModel().GetPoseCount(0), 2u);
    EXPECT_EQ(Document().GetModel().GetPoseName(0, 1), "Eyes Blink");
    EXPECT_EQ(preview->GetSelection(), (Selection{0, 1, 0}));
    // ...whose top corner is pulled down to close the eye.
    QTest::mousePress(preview, Qt::LeftButton, {}, At(-0.4f, 0.5f));
    QTest::mouseMove(preview, At(-0.4f, 0.45f));
    QTest::mouseMove(preview, At(-0.4f, 0.25f));
    QTest::mouseRelease(preview, Qt::LeftButton, {}, At(-0.4f, 0.25f));
    EXPECT_NEAR(Document().GetPosePoints(0, 1)[2].y, 0.25f, 0.01f);
    EXPECT_NEAR(Document().GetPosePoints(0, 0)[2].y, 0.5f, 0.01f);

    const Drawing face = DrawingOf(Document());
    const Selection last = preview->GetSelection();
    const size_t steps = Document().GetUndoCount();
    EXPECT_EQ(steps, 15u) << "10 points, 2 new shapes, the knob, the pose, the drag";
    for (size_t i = 0; i < steps; ++i) {
        window->OnCommand(IdUndo);
    }
    EXPECT_EQ(DrawingOf(Document()), empty);
    EXPECT_EQ(preview->GetSelection(), start);
    EXPECT_EQ(shapes->GetSelection(), start);
    for (size_t i = 0; i < steps; ++i) {
        window->OnCommand(IdRedo);
    }
    EXPECT_EQ(DrawingOf(Document()), face);
    EXPECT_EQ(preview->GetSelection(), last);

    const testing::TempFolder folder;
    const std::string path = folder / "face.glw";
    ASSERT_TRUE(window->SaveToFile(path));
    ASSERT_TRUE(window->OpenFile(path));
    EXPECT_EQ(DrawingOf(Document()), face);
    EXPECT_EQ(Document().GetModel().GetPoseKnobKey(0, 0), KnobKey("first"));
}

} // namespace
} // namespace vel::lumo::test
