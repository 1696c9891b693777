#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace vel::testing {

// The largest difference of any colour channel of any pixel of two pictures
// of one size: anti-aliasing that rounds differently moves it by a level or
// two, a wrong area or winding by far more.
inline int LargestDifference(const QImage& a, const QImage& b) {
    int most = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    }
    return most;
}

// A photo of a pumpkin as a test can make one: an orange ellipse filling a
// dark green picture of that size.
inline QImage PumpkinPhoto(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(0x10, 0x30, 0x10));
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0xFF, 0x80, 0x00));
    painter.drawEllipse(QRectF(0, 0, width, height));
    return image;
}

// The picture's file bytes in the format ("PNG", "JPEG").
inline std::vector<std::uint8_t> Encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return {bytes.begin(), bytes.end()};
}

} // namespace vel::testing
