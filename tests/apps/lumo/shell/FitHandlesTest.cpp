#include "apps/lumo/document/FitEdits.h"
#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/shell/ChangedOnDiskQuestion.h"
#include "apps/lumo/shell/FitOnScreen.h"
#include "apps/lumo/shell/SaveChangesQuestion.h"
#include "apps/lumo/shell/ShowCommand.h"
#include "apps/lumo/shell/ShowWnd.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/TempFolder.h"

#include <QImage>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>

namespace vel::lumo::test {
namespace {

using testing::TempFolder;

bool IsLight(QRgb pixel) {
    constexpr int light = 200;
    return qRed(pixel) >= light && qGreen(pixel) >= light && qBlue(pixel) >= light;
}

// The show of the editor's document, with the fit's layer in front.
class FitHandlesTest : public ShellTest {
protected:
    FitHandlesTest() {
        window->OnCommand(IdShowOnProjector);
        show = window->Show();
        // The layer finds the handles where it drew them last.
        show->grab();
    }

    LumoDocument& Document() const { return *window->GetDocument(); }
    const PumpkinFit& Fit() const { return Document().GetFit(); }
    FitPoint Handle(std::size_t handle) const { return Fit().GetHandle(handle).value(); }
    QPoint At(FitPoint point) const {
        return FitOnScreen(QRectF(show->PictureRect())).ToScreen(point).toPoint();
    }
    void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(show, key, modifiers);
    }
    // The selected handle's point, read from what the layer draws: only its
    // square is cyan, kept whole inside the window, with a black dot of four
    // pixels on the point, cut where the window ends.
    QPoint SelectedOnScreen() const {
        const QImage image = show->grab().toImage();
        const auto area = [&](QRect within, QRgb color) {
            QRect found;
            for (int y = within.top(); y <= within.bottom(); ++y) {
                for (int x = within.left(); x <= within.right(); ++x) {
                    if (image.pixel(x, y) == color) {
                        found |= QRect(x, y, 1, 1);
                    }
                }
            }
            return found;
        };
        const QRect cyan = area(image.rect(), qRgb(0, 255, 255));
        const QRect dot = cyan.isEmpty() ? QRect() : area(cyan, qRgb(0, 0, 0));
        if (dot.isEmpty()) {
            return {-1, -1};
        }
        constexpr int half = 2;
        return {dot.left() > 0 ? dot.left() + half : dot.right() + 1 - half,
                dot.top() > 0 ? dot.top() + half : dot.bottom() + 1 - half};
    }
    // Whether the selected handle shows where the point of the fit does, to
    // the pixel it rounds to.
    bool IsSelectedAt(FitPoint point) const {
        return (SelectedOnScreen() - At(point)).manhattanLength() <= 1;
    }
    // One pixel of the picture, as a fraction of its width or height.
    float Pixel() const { return 1.0f / static_cast<float>(show->PictureRect().width()); }
    float Row() const { return 1.0f / static_cast<float>(show->PictureRect().height()); }

    ShowWnd* show = nullptr;
};

TEST_F(FitHandlesTest, FShowsTheHandlesAndTheKeysChangeTheFitOnlyWhileTheyShow) {
    Key(Qt::Key_Right);
    Key(Qt::Key_G);
    Key(Qt::Key_R);
    EXPECT_TRUE(Fit().IsIdentity());
    EXPECT_EQ(Document().GetUndoCount(), 0u);
    EXPECT_EQ(SelectedOnScreen(), QPoint(-1, -1));

    Key(Qt::Key_F);
    EXPECT_TRUE(IsSelectedAt({0, 0}));
    Key(Qt::Key_F);
    EXPECT_EQ(SelectedOnScreen(), QPoint(-1, -1));
}

TEST_F(FitHandlesTest, TabVisitsTheCornersThenTheGridAndShiftTabGoesBack) {
    Key(Qt::Key_F);
    for (FitPoint corner : {FitPoint{1, 0}, FitPoint{1, 1}, FitPoint{0, 1}, FitPoint{0, 0}}) {
        Key(Qt::Key_Tab);
        EXPECT_TRUE(IsSelectedAt(corner)) << corner.x << "," << corner.y;
    }
    Key(Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_TRUE(IsSelectedAt({0, 1}));

    Key(Qt::Key_G);
    Key(Qt::Key_Tab);
    EXPECT_TRUE(IsSelectedAt({0.25f, 0.25f}));
    for (int i = 0; i < 8; ++i) {
        Key(Qt::Key_Tab);
    }
    EXPECT_TRUE(IsSelectedAt({0.75f, 0.75f}));
    Key(Qt::Key_Tab);
    EXPECT_TRUE(IsSelectedAt({0, 0}));
}

TEST_F(FitHandlesTest, ArrowsMoveTheSelectedHandleByOneScreenPixelOrTenEachOneStep) {
    Key(Qt::Key_F);
    Key(Qt::Key_Tab);
    Key(Qt::Key_Left);
    EXPECT_FLOAT_EQ(Handle(1).x, 1 - Pixel());
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(Handle(1).y, 10 * Row());
    Key(Qt::Key_Right, Qt::ShiftModifier);
    Key(Qt::Key_Up);
    EXPECT_NEAR(Handle(1).x, 1 + 9 * Pixel(), 1e-6);
    EXPECT_NEAR(Handle(1).y, 9 * Row(), 1e-6);
    EXPECT_EQ(Handle(0), (FitPoint{0, 0}));
    EXPECT_EQ(Document().GetUndoCount(), 4u);
    EXPECT_EQ(Document().GetUndoName(), "Move Fit Handle");

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NEAR(Handle(1).x, 1 + 9 * Pixel(), 1e-6);
    EXPECT_NEAR(Handle(1).y, 10 * Row(), 1e-6);
}

TEST_F(FitHandlesTest, AGridHandleMovesByAScreenPixelToo) {
    Key(Qt::Key_F);
    Key(Qt::Key_G);
    for (int i = 0; i < 8; ++i) { // the grid's centre
        Key(Qt::Key_Tab);
    }
    Key(Qt::Key_Right);
    EXPECT_NEAR(Handle(8).x, 0.5f + Pixel(), 1e-6);
    EXPECT_NEAR(Handle(8).y, 0.5f, 1e-6);
    EXPECT_TRUE(Fit().IsBent());
}

TEST_F(FitHandlesTest, GAndRAreOneNamedStepEach) {
    Key(Qt::Key_F);
    Key(Qt::Key_G);
    EXPECT_TRUE(Fit().IsGridOn());
    EXPECT_EQ(Document().GetUndoName(), "Fit Grid");
    Key(Qt::Key_Down);
    Key(Qt::Key_R);
    EXPECT_EQ(Document().GetUndoName(), "Reset Fit");
    EXPECT_EQ(Handle(0), (FitPoint{0, 0}));
    EXPECT_TRUE(Fit().IsGridOn());
    EXPECT_EQ(Document().GetUndoCount(), 3u);

    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_NEAR(Handle(0).y, Row(), 1e-6);
    Key(Qt::Key_Z, Qt::ControlModifier);
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(Fit().IsGridOn());
    Key(Qt::Key_Y, Qt::ControlModifier);
    EXPECT_TRUE(Fit().IsGridOn());
    Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_NEAR(Handle(0).y, Row(), 1e-6);
    EXPECT_EQ(Document().GetRedoCount(), 1u);
}

TEST_F(FitHandlesTest, ADragMovesTheHandleLiveAndIsOneStepAtTheDrop) {
    Key(Qt::Key_F);
    const QPoint corner = At({1, 1});
    // Taken a little off its centre, the handle keeps that distance.
    QTest::mousePress(show, Qt::LeftButton, {}, corner + QPoint(-3, 2));
    EXPECT_TRUE(IsSelectedAt({1, 1}));
    QTest::mouseMove(show, corner + QPoint(-43, -18));
    EXPECT_NEAR(Handle(2).x, 1 - 40 * Pixel(), 1e-6);
    EXPECT_NEAR(Handle(2).y, 1 - 20 * Row(), 1e-6);
    QTest::mouseMove(show, corner + QPoint(-83, -38));
    EXPECT_EQ(Document().GetUndoCount(), 0u);
    QTest::mouseRelease(show, Qt::LeftButton, {}, corner + QPoint(-83, -38));
    EXPECT_NEAR(Handle(2).x, 1 - 80 * Pixel(), 1e-6);
    EXPECT_NEAR(Handle(2).y, 1 - 40 * Row(), 1e-6);
    EXPECT_EQ(Document().GetUndoCount(), 1u);
    EXPECT_EQ(Document().GetUndoName(), "Move Fit Handle");
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(Fit().IsIdentity());
}

TEST_F(FitHandlesTest, EscapeDuringADragPutsTheHandleBackAndAClickRecordsNothing) {
    Key(Qt::Key_F);
    QTest::mousePress(show, Qt::LeftButton, {}, At({0, 1}));
    QTest::mouseMove(show, At({0, 1}) + QPoint(30, -30));
    EXPECT_FALSE(Fit().IsIdentity());
    Key(Qt::Key_Escape);
    EXPECT_TRUE(Fit().IsIdentity());
    QTest::mouseMove(show, At({0, 1}) + QPoint(40, -40));
    EXPECT_TRUE(Fit().IsIdentity()) << "the drag has ended";
    QTest::mouseRelease(show, Qt::LeftButton, {}, At({0, 1}) + QPoint(30, -30));
    EXPECT_TRUE(Fit().IsIdentity());

    Key(Qt::Key_G);
    QTest::mouseClick(show, Qt::LeftButton, {}, At({0.5f, 0.5f}));
    EXPECT_TRUE(IsSelectedAt({0.5f, 0.5f}));
    EXPECT_EQ(Document().GetUndoCount(), 1u);
    // Away from every handle, a press takes nothing.
    QTest::mouseClick(show, Qt::LeftButton, {}, At({0.4f, 0.6f}));
    EXPECT_TRUE(IsSelectedAt({0.5f, 0.5f}));
}

TEST_F(FitHandlesTest, TAndWCoverTheFaceUntilAnyKeyWhichDoesNothingElse) {
    Key(Qt::Key_F);
    Key(Qt::Key_Down);
    Key(Qt::Key_T);
    const int width = show->width();
    const int height = show->height();
    QImage image = show->grab().toImage();
    EXPECT_TRUE(IsLight(image.pixel(0, 0))) << "the screen's edges";
    EXPECT_TRUE(IsLight(image.pixel(width - 1, height / 3)));
    EXPECT_TRUE(IsLight(image.pixel(width / 2, height - 1)));
    EXPECT_TRUE(IsLight(image.pixel(width / 2, height / 2 - std::min(width, height) / 4)))
        << "a circle";
    EXPECT_EQ(SelectedOnScreen(), QPoint(-1, -1)) << "no handles over the pattern";
    Key(Qt::Key_F);
    EXPECT_TRUE(IsSelectedAt({0, Row()})) << "F only brought the face back";

    Key(Qt::Key_W);
    image = show->grab().toImage();
    for (QPoint p : {QPoint(0, 0), QPoint(width / 2, height / 2), QPoint(width - 1, height - 1)}) {
        EXPECT_EQ(image.pixel(p), qRgb(255, 255, 255)) << p.x() << "," << p.y();
    }
    Key(Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Document().GetUndoCount(), 1u);
    EXPECT_TRUE(IsSelectedAt({0, Row()}));
}

TEST_F(FitHandlesTest, CtrlSSavesThroughTheEditorAskingForANameTheFirstTime) {
    const TempFolder folder;
    std::filesystem::create_directory(folder / "show");
    const std::string path = folder / "show/fitted.glw";
    Key(Qt::Key_F);
    Key(Qt::Key_Down);
    dialogs.files.push_back(path);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.fileTitles.size(), 1u);
    EXPECT_FALSE(Document().IsModified());
    auto saved = LumoDocument::New();
    ASSERT_TRUE(saved->Load(path));
    EXPECT_EQ(saved->GetFit(), Fit());

    // The second save goes to the same file, with the editor's questions
    // and its message when it fails; the fit stays unsaved.
    Key(Qt::Key_Down);
    std::filesystem::remove_all(folder / "show");
    dialogs.answers.push_back(ChangedOnDiskQuestion::Overwrite);
    Key(Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(dialogs.fileTitles.size(), 1u);
    EXPECT_EQ(dialogs.shown.size(), 1u);
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].find("Error saving"), std::string::npos) << dialogs.messages[0];
    EXPECT_TRUE(Document().IsModified());
}

// A show without the editor asks about the unsaved fit when it ends, as
// closing the editor does: Cancel goes on with the show, Save saves.
TEST_F(FitHandlesTest, AShowWithoutTheEditorAsksAboutTheUnsavedFitWhenItEnds) {
    const TempFolder folder;
    Key(Qt::Key_Escape);
    ASSERT_TRUE(window->SaveToFile(folder / "face.glw"));
    ASSERT_TRUE(MoveFitHandle(Document(), 2, {0.9f, 0.8f}));
    int ends = 0;
    QTimer ender;
    QObject::connect(&ender, &QTimer::timeout, [&] {
        if (window->IsShowing()) {
            ++ends;
            QTest::keyClick(window->Show(), Qt::Key_Escape);
        }
    });
    ender.start(10);
    dialogs.answers = {SaveChangesQuestion::Cancel, SaveChangesQuestion::Save};
    EXPECT_EQ(RunShowOnly(*window, 0), 0);
    EXPECT_EQ(ends, 2);
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_FALSE(Document().IsModified());
    auto saved = LumoDocument::New();
    ASSERT_TRUE(saved->Load(folder / "face.glw"));
    EXPECT_EQ(saved->GetFit(), Fit());
}

} // namespace
} // namespace vel::lumo::test
