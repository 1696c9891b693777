#pragma once

#include <QImage>
#include <algorithm>
#include <cstdlib>

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

} // namespace vel::testing
