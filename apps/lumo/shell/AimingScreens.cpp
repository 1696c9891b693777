#include "apps/lumo/shell/AimingScreens.h"

#include <QPainter>
#include <QRect>
#include <algorithm>
#include <cmath>

namespace vel::lumo {
namespace {

constexpr QRgb GridGrey = 0x808080;
// Squares across the shorter side of the screen.
constexpr int SquaresAcross = 8;
// Lines at half a pixel fall on one row of pixels, not across two.
constexpr double PixelCentre = 0.5;

// Lines every step on either side of the middle, so that the middle lines
// cross at the screen's centre; as offsets from the screen's start.
QList<double> LinesThrough(int length, double step) {
    QList<double> lines;
    const double middle = length / 2.0;
    const auto each = static_cast<int>(std::ceil(middle / step));
    for (int i = -each; i <= each; ++i) {
        const double at = std::floor(middle + i * step) + PixelCentre;
        if (at > 0 && at < length) {
            lines.append(at);
        }
    }
    return lines;
}

} // namespace

void TestPattern::Draw(QPainter& painter, const QRect& screen) const {
    const QRectF area(screen);
    const int shorter = std::min(screen.width(), screen.height());
    const double step = double(shorter) / SquaresAcross;
    painter.fillRect(screen, Qt::black);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);

    painter.setPen(QPen(QColor(GridGrey), 1));
    for (double x : LinesThrough(screen.width(), step)) {
        painter.drawLine(QPointF(area.left() + x, area.top()),
                         QPointF(area.left() + x, area.bottom() + 1));
    }
    for (double y : LinesThrough(screen.height(), step)) {
        painter.drawLine(QPointF(area.left(), area.top() + y),
                         QPointF(area.right() + 1, area.top() + y));
    }

    painter.setPen(QPen(Qt::white, 2));
    const QPointF centre(area.left() + screen.width() / 2.0, area.top() + screen.height() / 2.0);
    painter.drawEllipse(centre, shorter / 2.0 - 1, shorter / 2.0 - 1);
    painter.drawEllipse(centre, shorter / 4.0, shorter / 4.0);
    const QRectF inside = area.adjusted(step, step, 1 - step, 1 - step);
    for (QPointF corner :
         {inside.topLeft(), inside.topRight(), inside.bottomRight(), inside.bottomLeft()}) {
        painter.drawEllipse(corner, step / 2, step / 2);
    }

    painter.setPen(QPen(Qt::white, 1));
    painter.drawRect(QRectF(area.left() + PixelCentre, area.top() + PixelCentre, screen.width() - 1,
                            screen.height() - 1));
}

void WhiteScreen::Draw(QPainter& painter, const QRect& screen) const {
    painter.fillRect(screen, Qt::white);
}

} // namespace vel::lumo
