#pragma once

#include "graphics/Graphics.h"
#include "graphics/QtGraphicsImpl.h"

#include <QImage>
#include <gtest/gtest.h>

namespace vel::graphics::test {

// A black image to paint on through the Qt back end.
class PaintFixture : public ::testing::Test {
protected:
    explicit PaintFixture(int width = 100, int height = 100)
        : image_(width, height, QImage::Format_RGB32) {
        image_.fill(Qt::black);
    }

    Frame MakeFrame() {
        return surface_.CreateFrame(&image_, {0, 0, image_.width(), image_.height()});
    }

    std::uint32_t Pixel(int x, int y) const { return image_.pixel(x, y) & 0xFFFFFF; }

    // Pixels that are not black inside [left, right) × [top, bottom).
    int Lit(int left, int top, int right, int bottom) const {
        int count = 0;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                count += Pixel(x, y) != 0;
            }
        }
        return count;
    }
    int Lit() const { return Lit(0, 0, image_.width(), image_.height()); }

    Graphics graphics_{std::make_unique<QtGraphicsImpl>()};
    Surface surface_ = graphics_.CreateSurface();
    QImage image_;
};

} // namespace vel::graphics::test
