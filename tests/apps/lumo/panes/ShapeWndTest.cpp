#include "apps/lumo/panes/ShapeWnd.h"

#include "apps/lumo/dialogs/NewKnobDlg.h"
#include "apps/lumo/model/StandardKnobs.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/panes/PoseColors.h"
#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/render/TargetMapping.h"
#include "tests/apps/lumo/panes/RightClick.h"
#include "tests/support/InstalledRunner.h"
#include "tests/support/PaneTestHost.h"
#include "tests/support/ToolTips.h"
#include "wingui/DialogRunner.h"
#include "wingui/InplaceEditBox.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vel::lumo::test {
namespace {

class ShapeWndTest : public ::testing::Test {
protected:
    void SetUp() override {
        window.resize(720, 300);
        preview = new PreviewWnd(&window, &host);
        preview->setGeometry(0, 0, 400, 300);
        shapes = new ShapeWnd(&window, &host);
        shapes->setGeometry(410, 0, 300, 300);
        host.Add(preview, preview);
        host.Add(shapes, shapes);
        preview->SetDocument(document.get());
        shapes->SetDocument(document.get());
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.activateWindow();
    }
    // Three shapes; the middle one has a base pose and two more.
    void AddShapes() {
        AddShape(*document, {{{-0.9f, -0.2f}, {-0.5f, -0.2f}, {-0.7f, 0.2f}}}, Shape::CandleColor,
                 "Left Eye");
        AddShape(*document,
                 {{{-0.2f, -0.5f}, {0.2f, -0.5f}, {0.0f, -0.3f}},
                  {{-0.2f, -0.6f}, {0.2f, -0.6f}, {0.0f, -0.2f}},
                  {{-0.3f, -0.5f}, {0.3f, -0.5f}, {0.0f, -0.4f}}},
                 Shape::CandleColor, "Mouth");
        AddShape(*document, {{{0.5f, -0.2f}, {0.9f, -0.2f}, {0.7f, 0.2f}}}, Shape::CandleColor,
                 "Right Eye");
    }
    void Click(QPoint p, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(shapes, button, {}, p);
    }
    void RightClick(QPoint p) { RightClickThroughWindow(shapes, p); }
    QPoint NewShapeLine() const { return shapes->ShapeLine(document->GetModel().GetShapeCount()); }
    QPoint NewPoseLine() const {
        return shapes->PoseLine(document->GetModel().GetPoseCount(Selected().shape), 0);
    }
    Selection Selected() const { return shapes->GetSelection(); }
    // Which of the bullet colours the glyph's strongest pixel leans to: the
    // glyph's thin strokes are blended with the background.
    static QRgb BulletColour(const QImage& image, QRect cell) {
        const QColor background(0x33, 0x33, 0x00);
        QRgb strongest = background.rgb();
        int strongestDistance = 0;
        for (int y = cell.top(); y <= cell.bottom(); ++y) {
            for (int x = cell.left(); x <= cell.right(); ++x) {
                const QColor c = image.pixelColor(x, y);
                const int d = std::abs(c.red() - background.red()) +
                              std::abs(c.green() - background.green()) +
                              std::abs(c.blue() - background.blue());
                if (d > strongestDistance) {
                    strongestDistance = d;
                    strongest = c.rgb();
                }
            }
        }
        const auto lean = [&](QRgb candidate) {
            const double p[3] = {double(qRed(strongest)) - background.red(),
                                 double(qGreen(strongest)) - background.green(),
                                 double(qBlue(strongest)) - background.blue()};
            const double q[3] = {double(qRed(candidate)) - background.red(),
                                 double(qGreen(candidate)) - background.green(),
                                 double(qBlue(candidate)) - background.blue()};
            const double dot = p[0] * q[0] + p[1] * q[1] + p[2] * q[2];
            return dot / std::sqrt((p[0] * p[0] + p[1] * p[1] + p[2] * p[2]) *
                                       (q[0] * q[0] + q[1] * q[1] + q[2] * q[2]) +
                                   1e-9);
        };
        QRgb best = 0;
        double bestLean = -2;
        for (QRgb candidate : {0x666666u, 0xFFFFFFu, EditedPoseColor, ReferencePoseColor}) {
            if (lean(candidate) > bestLean) {
                bestLean = lean(candidate);
                best = candidate;
            }
        }
        return best;
    }
    QRect BulletCell(std::uint64_t pose, int column) const {
        const QPoint centre = shapes->PoseLine(pose, column);
        const int g = int(shapes->GlyphWidth() / 2) - 1;
        const int l = int(shapes->LineHeight() / 2) - 1;
        return {centre.x() - g, centre.y() - l, 2 * g, 2 * l};
    }

    std::unique_ptr<LumoDocument> document = LumoDocument::New();
    PaneTestHost host;
    QWidget window;
    PreviewWnd* preview = nullptr;
    ShapeWnd* shapes = nullptr;
};

TEST_F(ShapeWndTest, HitTestsFindLinesByColumn) {
    AddShapes();
    ShapeHit hit = shapes->HitTest(shapes->ShapeLine(2));
    EXPECT_TRUE(hit.onShape);
    EXPECT_EQ(hit.shape, 2u);
    EXPECT_TRUE(shapes->HitTest(NewShapeLine()).onNewShape);
    EXPECT_FALSE(shapes->HitTest(shapes->ShapeLine(4)).onShape);
    EXPECT_FALSE(shapes->HitTest(shapes->ShapeLine(4)).onNewShape);
    // No poses column without a selected shape.
    host.RequestSelection({3, 0, 0});
    EXPECT_FALSE(shapes->HitTest(shapes->PoseLine(0, 0)).onPose);

    host.RequestSelection({1, 0, 0});
    hit = shapes->HitTest(shapes->PoseLine(2, 1));
    EXPECT_TRUE(hit.onPose && hit.inColumn1 && !hit.inColumn2);
    EXPECT_EQ(hit.pose, 2u);
    hit = shapes->HitTest(shapes->PoseLine(1, 2));
    EXPECT_TRUE(hit.onPose && !hit.inColumn1 && hit.inColumn2);
    hit = shapes->HitTest(shapes->PoseLine(0, 0));
    EXPECT_TRUE(hit.onPose && !hit.inColumn1 && !hit.inColumn2);
    EXPECT_TRUE(shapes->HitTest(shapes->PoseLine(3, 0)).onNewPose);
    // Between the columns and above the first line lies nothing.
    hit = shapes->HitTest({int(0.5 * shapes->width()), shapes->ShapeLine(0).y()});
    EXPECT_FALSE(hit.onShape || hit.onPose || hit.onNewShape || hit.onNewPose);
    EXPECT_FALSE(shapes->HitTest({20, 0}).onShape);

    shapes->SetDocument(nullptr);
    EXPECT_FALSE(shapes->HitTest(shapes->ShapeLine(0)).onShape);
}

// The tooltip names the column under the mouse; the status hint says what a
// click there does to that line.
TEST_F(ShapeWndTest, EveryColumnExplainsItselfAndTheHintNamesTheLine) {
    using Region = ShapesPlace::Region;
    AddShapes();
    host.RequestSelection({1, 0, 0});
    const auto tip = [this](QPoint p) {
        return testing::ToolTipAt(shapes, p).toStdString();
    };
    EXPECT_EQ(tip(shapes->ShapeLine(0)), ShapesTip(Region::Shape));
    EXPECT_EQ(tip(NewShapeLine()), ShapesTip(Region::NewShape));
    EXPECT_EQ(tip(shapes->PoseLine(1, 1)), ShapesTip(Region::EditedMark));
    EXPECT_EQ(tip(shapes->PoseLine(1, 2)), ShapesTip(Region::ReferenceMark));
    EXPECT_EQ(tip(shapes->PoseLine(1, 0)), ShapesTip(Region::Pose));
    EXPECT_EQ(tip(shapes->PoseLine(3, 0)), ShapesTip(Region::NewPose));
    EXPECT_EQ(tip({int(0.5 * shapes->width()), shapes->ShapeLine(0).y()}), "");

    const std::string name = document->GetShapeName(0);
    EXPECT_EQ(shapes->Hint(shapes->ShapeLine(0), {}).text,
              ShapesHint({Region::Shape, name, false}));
    const std::string pose = document->GetModel().GetPoseName(1, 2);
    EXPECT_EQ(shapes->Hint(shapes->PoseLine(2, 1), {}).text,
              ShapesHint({Region::EditedMark, pose, false}));
}

TEST_F(ShapeWndTest, ClicksSelectByColumnAndBothPanesShowTheSameColours) {
    AddShapes();
    Click(shapes->ShapeLine(1));
    EXPECT_EQ(Selected(), (Selection{1, 0, 0}));
    EXPECT_EQ(preview->GetSelection(), Selected());
    Click(shapes->PoseLine(2, 0));
    EXPECT_EQ(Selected(), (Selection{1, 2, 2}));
    Click(shapes->PoseLine(1, 2));
    EXPECT_EQ(Selected(), (Selection{1, 2, 1}));
    EXPECT_EQ(preview->GetSelection(), (Selection{1, 2, 1}));
    EXPECT_EQ(document->GetUndoCount(), 0u) << "plain selections leave no trace";

    const QImage pane = shapes->grab().toImage();
    EXPECT_EQ(BulletColour(pane, BulletCell(2, 1)), EditedPoseColor);
    EXPECT_EQ(BulletColour(pane, BulletCell(1, 2)), ReferencePoseColor);
    EXPECT_EQ(BulletColour(pane, BulletCell(0, 1)), 0x666666u);
    EXPECT_EQ(BulletColour(pane, BulletCell(2, 2)), 0x666666u);
    // The preview paints the same two poses in the same colours.
    ASSERT_TRUE(preview->hasFocus());
    const QImage face = preview->grab().toImage();
    const TargetMapping map(400, 300);
    const auto near = [&](Point p, QRgb colour) {
        const graphics::PointF t = map.ToTarget(p);
        return NearestColour(face, QRect(int(t.x) - 3, int(t.y) - 3, 7, 7), colour);
    };
    EXPECT_LT(near({-0.3f, -0.5f}, EditedPoseColor), 30);
    EXPECT_LT(near({-0.2f, -0.6f}, ReferencePoseColor), 30);

    Click(shapes->PoseLine(0, 1));
    EXPECT_EQ(Selected(), (Selection{1, 0, 1}));
    Click({int(0.5 * shapes->width()), 5});
    EXPECT_EQ(Selected().shape, 3u) << "elsewhere selects no shape";
}

TEST_F(ShapeWndTest, NewShapeIsOneUndoStepWithItsSelection) {
    AddShapes();
    host.RequestSelection({1, 2, 1});
    Click(NewShapeLine());
    EXPECT_EQ(document->GetModel().GetShapeCount(), 4u);
    EXPECT_EQ(document->GetShapeName(3), "Shape 3");
    EXPECT_EQ(Selected(), (Selection{3, 0, 0}));
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(document->GetModel().GetShapeCount(), 3u);
    EXPECT_EQ(Selected(), (Selection{1, 2, 1}));
}

TEST_F(ShapeWndTest, TheBasePoseOffersNoMenuAndOtherPosesOfferKnobsAndDelete) {
    AddShapes();
    document->GetModel().AddKnob(StandardKnobs()[3]);
    host.RequestSelection({1, 0, 0});
    ChoosingMenuRunner menu("");
    RightClick(shapes->PoseLine(0, 0));
    EXPECT_EQ(menu.shown, 0);
    RightClick(shapes->PoseLine(1, 0));
    EXPECT_EQ(Selected(), (Selection{1, 1, 1}));
    ASSERT_EQ(menu.shown, 1);
    EXPECT_EQ(menu.items, (QStringList{"Knob", "Knob/Eyes Blink", "Knob/-", "Knob/Eyes Pan",
                                       "Knob/Eye Left Wink", "Knob/Eye Right Wink", "Knob/Mouth",
                                       "Knob/Mouth EEE", "Knob/Mouth OOO", "Knob/-",
                                       "Knob/New Knob...", "Delete Pose"}));
    RightClick(shapes->ShapeLine(0));
    EXPECT_EQ(menu.items, (QStringList{"Delete Shape", "Rename Shape"}));
    EXPECT_EQ(Selected(), (Selection{0, 0, 0}));
    RightClick(NewShapeLine());
    EXPECT_EQ(menu.shown, 2);
    EXPECT_EQ(Selected().shape, 3u);
}

TEST_F(ShapeWndTest, DeletingTheLastOfThreePosesSelectsTheMiddleOne) {
    AddShapes();
    host.RequestSelection({1, 0, 0});
    ChoosingMenuRunner menu("Delete Pose");
    RightClick(shapes->PoseLine(2, 0));
    EXPECT_EQ(document->GetModel().GetPoseCount(1), 2u);
    EXPECT_EQ(Selected(), (Selection{1, 1, 1}));
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(document->GetModel().GetPoseCount(1), 3u);
    EXPECT_EQ(Selected(), (Selection{1, 2, 2}));
    RightClick(shapes->PoseLine(1, 0));
    EXPECT_EQ(Selected(), (Selection{1, 1, 1})) << "the former pose 2";
    EXPECT_EQ(document->GetPosePoints(1, 1)[0].x, -0.3f);
}

// A right click on the reference mark leaves the base pose edited: the menu
// still acts on the pose it was offered for, and never on the base pose.
TEST_F(ShapeWndTest, TheMenuOfAReferenceMarkActsOnItsPoseAndNeverOnTheBasePose) {
    AddShapes();
    const std::vector<Point> base = document->GetPosePoints(1, 0);
    host.RequestSelection({1, 0, 0});
    {
        ChoosingMenuRunner menu("Knob/Mouth OOO");
        RightClick(shapes->PoseLine(1, 2));
        EXPECT_EQ(Selected(), (Selection{1, 0, 1}));
    }
    EXPECT_EQ(document->GetModel().GetPoseKnobKey(1, 0), KnobKey("first"));
    EXPECT_EQ(document->GetModel().GetPoseKnobKey(1, 1), KnobKey("mOOO"));
    {
        ChoosingMenuRunner menu("Delete Pose");
        RightClick(shapes->PoseLine(2, 2));
    }
    ASSERT_EQ(document->GetModel().GetPoseCount(1), 2u);
    EXPECT_EQ(document->GetPosePoints(1, 0), base);
    EXPECT_EQ(document->GetModel().GetPoseKnobKey(1, 1), KnobKey("mOOO"));
    EXPECT_EQ(Selected(), (Selection{1, 1, 1}));
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(document->GetModel().GetPoseCount(1), 3u);
    EXPECT_EQ(Selected(), (Selection{1, 0, 2}));

    // Commands from elsewhere act on the edited pose, and not when it is the base.
    const std::size_t steps = document->GetUndoCount();
    shapes->OnCommand(IdDeletePose);
    shapes->OnCommand(IdKnobFirst);
    EXPECT_EQ(document->GetUndoCount(), steps);
    EXPECT_EQ(document->GetModel().GetPoseCount(1), 3u);
    EXPECT_EQ(document->GetModel().GetPoseKnobKey(1, 0), KnobKey("first"));
}

TEST_F(ShapeWndTest, AStandardKnobIsOneStepFromTheKnobMenuAndTwoFromNewPose) {
    AddShapes();
    host.RequestSelection({1, 0, 0});
    {
        ChoosingMenuRunner menu("Knob/Mouth OOO");
        RightClick(shapes->PoseLine(1, 0));
    }
    EXPECT_TRUE(document->GetModel().HasKnob(KnobKey("mOOO")));
    EXPECT_EQ(document->GetModel().GetPoseName(1, 1), "Mouth OOO");
    EXPECT_EQ(document->GetUndoCount(), 1u);
    ASSERT_TRUE(document->Undo());
    EXPECT_FALSE(document->GetModel().HasKnob(KnobKey("mOOO")));
    EXPECT_EQ(document->GetModel().GetPoseKnobKey(1, 1), KnobKey("eyeblink"));

    host.RequestSelection({1, 0, 0});
    {
        ChoosingMenuRunner menu("Mouth OOO");
        Click(NewPoseLine());
        EXPECT_EQ(menu.shown, 1);
    }
    ASSERT_EQ(document->GetModel().GetPoseCount(1), 4u);
    EXPECT_EQ(document->GetModel().GetPoseKnobKey(1, 3), KnobKey("mOOO"));
    EXPECT_EQ(document->GetPosePoints(1, 3), document->GetPosePoints(1, 0));
    EXPECT_EQ(Selected(), (Selection{1, 3, 0}));
    EXPECT_EQ(document->GetUndoCount(), 2u);
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(document->GetModel().GetPoseCount(1), 3u);
    EXPECT_EQ(Selected(), (Selection{1, 0, 0}));
    EXPECT_TRUE(document->GetModel().HasKnob(KnobKey("mOOO")));
    ASSERT_TRUE(document->Undo());
    EXPECT_FALSE(document->GetModel().HasKnob(KnobKey("mOOO")));
}

TEST_F(ShapeWndTest, DismissingNewPoseCreatesNothing) {
    AddShapes();
    host.RequestSelection({0, 0, 0});
    ChoosingMenuRunner menu("");
    Click(NewPoseLine());
    EXPECT_EQ(menu.shown, 1);
    EXPECT_EQ(document->GetModel().GetPoseCount(0), 1u);
    EXPECT_EQ(document->GetUndoCount(), 0u);
}

// Answers the New Knob dialog with a knob of its own, or cancels it.
class ChinRunner : public wingui::DialogRunner {
public:
    explicit ChinRunner(bool ok) : ok_(ok) {}
    ChinRunner(const ChinRunner&) = delete;
    ChinRunner& operator=(const ChinRunner&) = delete;
    int Run(QDialog& shown) override {
        auto& dialog = dynamic_cast<NewKnobDlg&>(shown);
        dialog.show();
        poseMode = !dialog.Control(NewKnobDlg::IdIntent)->isEnabled();
        auto* key = static_cast<QLineEdit*>(dialog.Control(NewKnobDlg::IdKey));
        key->selectAll();
        QTest::keyClicks(key, "chin");
        if (!ok_) {
            dialog.reject();
            return QDialog::Rejected;
        }
        QTest::mouseClick(dialog.OkButton(), Qt::LeftButton);
        return dialog.result();
    }
    bool poseMode = false;

private:
    bool ok_;
    testing::InstalledRunner<wingui::DialogRunner> installed_{this};
};

TEST_F(ShapeWndTest, NewKnobFromTheKnobMenuTiesThePoseToTheNewKnob) {
    AddShapes();
    host.RequestSelection({1, 0, 0});
    ChoosingMenuRunner menu("Knob/New Knob...");
    {
        ChinRunner cancel(false);
        RightClick(shapes->PoseLine(2, 0));
        EXPECT_TRUE(cancel.poseMode);
    }
    EXPECT_EQ(document->GetUndoCount(), 0u);
    {
        ChinRunner ok(true);
        RightClick(shapes->PoseLine(2, 0));
    }
    EXPECT_EQ(document->GetModel().GetPoseKnobKey(1, 2), KnobKey("chin"));
    EXPECT_EQ(document->GetModel().GetPoseName(1, 2), "New Knob");
    EXPECT_EQ(document->GetUndoCount(), 1u);
}

TEST_F(ShapeWndTest, RenamingInPlaceRecordsOnlyARealChange) {
    AddShapes();
    auto* box = shapes->findChild<wingui::InplaceEditBox*>();
    ASSERT_NE(box, nullptr);
    QTest::mouseDClick(shapes, Qt::LeftButton, {}, shapes->ShapeLine(2));
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(box->text(), "Right Eye");
    EXPECT_EQ(Selected(), (Selection{2, 0, 0}));
    QTest::keyClicks(box, "Pupil");
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(document->GetShapeName(2), "Pupil");
    EXPECT_EQ(document->GetUndoCount(), 1u);

    // Unchanged, emptied or abandoned: nothing is recorded.
    shapes->OnCommand(IdRenameShape);
    QTest::keyClick(box, Qt::Key_Return);
    shapes->OnCommand(IdRenameShape);
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClick(box, Qt::Key_Return);
    shapes->OnCommand(IdRenameShape);
    QTest::keyClicks(box, "Nose");
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    EXPECT_EQ(document->GetShapeName(2), "Pupil");
    EXPECT_EQ(document->GetUndoCount(), 1u);
    ASSERT_TRUE(document->Undo());
    EXPECT_EQ(document->GetShapeName(2), "Right Eye");
}

TEST_F(ShapeWndTest, DeletingTheOnlyShapeLeavesNothingSelected) {
    AddShape(*document, {{{0.0f, 0.0f}, {0.1f, 0.0f}, {0.0f, 0.1f}}});
    ChoosingMenuRunner menu("Delete Shape");
    RightClick(shapes->ShapeLine(0));
    EXPECT_EQ(document->GetModel().GetShapeCount(), 0u);
    EXPECT_EQ(Selected(), (Selection{0, 0, 0}));
    (void)shapes->grab();
    shapes->OnCommand(IdDeletePose);
    shapes->OnCommand(IdKnobFirst);
    EXPECT_EQ(document->GetUndoCount(), 1u);
}

} // namespace
} // namespace vel::lumo::test
