#include "graphics/Graphics.h"
#include "graphics/QtGraphicsImpl.h"

#include <QImage>
#include <QPixmap>
#include <QWidget>
#include <gtest/gtest.h>

namespace vel::graphics::test {
namespace {

// A widget that paints through a frame, as the panes do.
class FramedWidget : public QWidget {
public:
    RectF viewport;

protected:
    void paintEvent(QPaintEvent*) override {
        const qreal ratio = devicePixelRatioF();
        Frame frame = surface_.CreateFrame(this, {0, 0, static_cast<std::int32_t>(width() * ratio),
                                                  static_cast<std::int32_t>(height() * ratio)});
        viewport = frame.GetViewport();
        frame.Clear(Color{0x000080});
        frame.FillPolygon(
            {frame.UnitToDevice({0, 0}), frame.UnitToDevice({1, 0}), frame.UnitToDevice({1, 1})},
            Color{0xFFFF00});
    }

private:
    Graphics graphics_{std::make_unique<QtGraphicsImpl>()};
    Surface surface_ = graphics_.CreateSurface();
};

TEST(WidgetPaintTest, FramesPaintWidgetsInLogicalPixels) {
    FramedWidget widget;
    widget.resize(120, 80);
    const QImage shot = widget.grab().toImage();
    EXPECT_EQ(widget.viewport, (RectF{0, 0, 120, 80}));
    // The lower-right triangle is yellow, the rest the cleared blue.
    EXPECT_EQ(shot.pixel(110, 70) & 0xFFFFFF, 0xFFFF00u);
    EXPECT_EQ(shot.pixel(10, 10) & 0xFFFFFF, 0x000080u);
}

} // namespace
} // namespace vel::graphics::test
