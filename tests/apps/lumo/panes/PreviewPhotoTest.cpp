#include "apps/lumo/panes/PreviewPhoto.h"

#include "apps/lumo/document/PhotoEdits.h"
#include "apps/lumo/render/PumpkinRenderer.h"
#include "tests/apps/lumo/panes/PreviewFixture.h"
#include "tests/support/Pictures.h"

namespace vel::lumo::test {
namespace {

constexpr QRgb Orange = qRgb(0xFF, 0x80, 0x00);
constexpr QRgb Black = qRgb(0, 0, 0);

// A square photo of a pumpkin, one model unit high at the centre, opaque.
class PreviewPhotoTest : public PreviewWndTest {
protected:
    void SetUp() override {
        PreviewWndTest::SetUp();
        document->SetPhoto(
            *TracingPhoto::Make(vel::testing::Encoded(vel::testing::PumpkinPhoto(100, 100), "PNG"),
                                {{0.0f, 0.0f}, 1.0f, 1.0f}));
    }

    const TracingPhoto::Placement& Placed() const { return document->GetPhoto().GetPlacement(); }
    int At(const QImage& shot, float x, float y, QRgb wanted) const {
        return Distance(shot, PreviewWndTest::At(x, y), wanted);
    }
    QImage Shot() const { return preview->grab().toImage(); }
};

// The triangle at x -0.8 lies over the photo's left half.
TEST_F(PreviewPhotoTest, ThePhotoShowsBehindTheShapesAtItsOpacityUntilItIsHidden) {
    ASSERT_TRUE(MovePhoto(*document, -0.5f, 0.0f));
    AddTriangles(1);
    const QRgb candle = FillColor(document->EvaluateFrame(0)[0].color).Rgb() | 0xFF000000u;
    QImage shot = Shot();
    EXPECT_LE(At(shot, -0.3f, 0.4f, Orange), 8);
    EXPECT_LE(At(shot, -0.8f, -0.1f, candle), 2);
    // Its proportions are the photo's: square, half a unit either side.
    EXPECT_LE(At(shot, -0.1f, 0.0f, Orange), 8);
    EXPECT_LE(At(shot, 0.05f, 0.0f, Black), 0);
    EXPECT_LE(At(shot, -0.5f, 0.55f, Black), 0);

    const QRgb halfOrange = qRgb(0x80, 0x40, 0x00);
    ASSERT_TRUE(SetPhotoOpacity(*document, 0.5f));
    EXPECT_LE(At(Shot(), -0.3f, 0.4f, halfOrange), 8);

    preview->ShowPhoto(false);
    shot = Shot();
    EXPECT_LE(At(shot, -0.3f, 0.4f, Black), 0);
    EXPECT_LE(At(shot, -0.8f, -0.1f, candle), 2);
    preview->ShowPhoto(true);
    EXPECT_LE(At(Shot(), -0.3f, 0.4f, halfOrange), 8);
}

TEST_F(PreviewPhotoTest, CtrlDragMovesThePhotoInOneStepAndEscapePutsItBack) {
    Drag(PreviewWndTest::At(0.0f, 0.0f), PreviewWndTest::At(0.5f, -0.25f), Qt::ControlModifier,
         true);
    EXPECT_EQ(Placed().centre, (Point{}));
    EXPECT_EQ(document->GetUndoCount(), 0u);

    Drag(PreviewWndTest::At(0.0f, 0.0f), PreviewWndTest::At(0.5f, -0.25f), Qt::ControlModifier);
    EXPECT_NEAR(Placed().centre.x, 0.5f, 0.01f);
    EXPECT_NEAR(Placed().centre.y, -0.25f, 0.01f);
    EXPECT_EQ(document->GetUndoCount(), 1u);
    EXPECT_EQ(document->GetUndoName(), "Move Photo");
    EXPECT_EQ(TheModel().GetShapeCount(), 0u);
    EXPECT_LE(At(Shot(), 0.5f, 0.1f, Orange), 8);

    // Hidden, it stays where it is and Ctrl+click places a point as ever.
    preview->ShowPhoto(false);
    Click(PreviewWndTest::At(0.5f, -0.25f), Qt::ControlModifier);
    EXPECT_EQ(TheModel().GetShapeCount(), 1u);
    EXPECT_NEAR(Placed().centre.x, 0.5f, 0.01f);
}

TEST_F(PreviewPhotoTest, ShiftWheelResizesAndBracketsFadeItEachOneStep) {
    Wheel(PreviewWndTest::At(0.0f, 0.0f), 120, Qt::ShiftModifier);
    EXPECT_FLOAT_EQ(Placed().height, 1.25f);
    Wheel(PreviewWndTest::At(0.0f, 0.0f), -240, Qt::ShiftModifier);
    EXPECT_NEAR(Placed().height, 0.8f, 1e-6f);
    EXPECT_EQ(document->GetUndoCount(), 2u);
    EXPECT_EQ(document->GetUndoName(), "Resize Photo");
    EXPECT_TRUE(preview->Zoom().IsFit());

    QTest::keyClick(preview, Qt::Key_BracketLeft);
    QTest::keyClick(preview, Qt::Key_BracketLeft);
    EXPECT_FLOAT_EQ(Placed().opacity, 0.8f);
    EXPECT_EQ(document->GetUndoName(), "Photo Opacity");
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(preview, Qt::Key_BracketLeft);
    }
    EXPECT_FLOAT_EQ(Placed().opacity, 0.1f);
    QTest::keyClick(preview, Qt::Key_BracketRight);
    EXPECT_FLOAT_EQ(Placed().opacity, 0.2f);
    // Nine steps down to the faintest and one up; pressing on at the end is
    // no step.
    EXPECT_EQ(document->GetUndoCount(), 2u + 10u);

    preview->ShowPhoto(false);
    QTest::keyClick(preview, Qt::Key_BracketRight);
    Wheel(PreviewWndTest::At(0.0f, 0.0f), 120, Qt::ShiftModifier);
    EXPECT_EQ(document->GetUndoCount(), 12u);
}

// Painting takes the decoded photo from the cache: only other bytes decode
// again, and bytes that do not decode show nothing.
TEST(PreviewPhotoCache, DecodesAPhotoOnlyWhenItsBytesChange) {
    PreviewPhoto cache;
    const std::vector<uint8_t> png =
        vel::testing::Encoded(vel::testing::PumpkinPhoto(40, 30), "PNG");
    TracingPhoto photo = *TracingPhoto::Make(png, {});
    const QImage& image = cache.Image(photo);
    ASSERT_EQ(image.size(), QSize(40, 30));
    const qint64 decoded = image.cacheKey();
    ASSERT_TRUE(photo.SetPlacement({{0.5f, 0.5f}, 1.0f, 0.3f}));
    EXPECT_EQ(cache.Image(photo).cacheKey(), decoded);
    EXPECT_EQ(cache.Image(TracingPhoto(photo)).cacheKey(), decoded);

    const TracingPhoto other = *TracingPhoto::Make(png, {});
    EXPECT_NE(cache.Image(other).cacheKey(), decoded);
    EXPECT_TRUE(cache.Image(TracingPhoto{}).isNull());
    std::vector<uint8_t> cut = png;
    cut.resize(40);
    EXPECT_TRUE(cache.Image(*TracingPhoto::Make(cut, {})).isNull());
}

} // namespace
} // namespace vel::lumo::test
