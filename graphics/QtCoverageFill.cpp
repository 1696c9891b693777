#include "graphics/QtCoverageFill.h"

#include "graphics/WindingCoverage.h"

#include <QImage>
#include <QPaintDevice>
#include <algorithm>
#include <cmath>

namespace vel::graphics {

namespace {

// The picture under the painter when shapes can be laid straight onto it:
// premultiplied pixels, no transform, nothing but whole pixels clipped, and
// not shared with a copy that the painter would not see.
QImage* DirectTarget(QPainter& painter, QRectF area, QRect grid, qreal ratio) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image ||
        !painter.worldTransform().isIdentity() || painter.opacity() != 1.0 ||
        painter.compositionMode() != QPainter::CompositionMode_SourceOver ||
        QRectF(QPointF(grid.topLeft()) / ratio, QSizeF(grid.size()) / ratio) != area) {
        return nullptr;
    }
    auto* image = static_cast<QImage*>(device);
    const bool premultiplied = image->format() == QImage::Format_RGB32 ||
                               image->format() == QImage::Format_ARGB32_Premultiplied;
    return premultiplied && image->isDetached() ? image : nullptr;
}

} // namespace

void FillByCoverage(QPainter& painter, QRectF target, const std::vector<PointF>& points,
                    QColor color) {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    // Only what the clip lets through is filled.
    const QRectF area = painter.hasClipping() ? painter.clipBoundingRect() & target : target;
    const QRect grid = QRectF(area.topLeft() * ratio, area.size() * ratio).toAlignedRect();
    std::vector<PointF> device;
    device.reserve(points.size());
    for (PointF point : points) {
        device.push_back({static_cast<float>(point.x * ratio - grid.left()),
                          static_cast<float>(point.y * ratio - grid.top())});
    }
    const WindingCoverage coverage(device, grid.width(), grid.height());
    const DeviceRect bounds = coverage.Bounds();
    if (bounds.right <= bounds.left || bounds.bottom <= bounds.top) {
        return;
    }
    WindingCoverage::Shades shades;
    for (int level = 0; level < 256; ++level) {
        shades[static_cast<std::size_t>(level)] =
            qPremultiply(qRgba(color.red(), color.green(), color.blue(), level));
    }
    const QRect shape(grid.left() + bounds.left, grid.top() + bounds.top,
                      bounds.right - bounds.left, bounds.bottom - bounds.top);
    if (QImage* picture = DirectTarget(painter, area, grid, ratio)) {
        auto* pixels = reinterpret_cast<std::uint32_t*>(picture->scanLine(shape.top()));
        coverage.Render(pixels + shape.left(), picture->bytesPerLine() / 4, shades);
        return;
    }
    // Elsewhere (a window, a scaled or clipped painter) the shape is laid
    // onto a clear image kept between fills and drawn through the painter.
    thread_local QImage image;
    if (image.width() < shape.width() || image.height() < shape.height()) {
        image =
            QImage(std::max(image.width(), shape.width()), std::max(image.height(), shape.height()),
                   QImage::Format_ARGB32_Premultiplied);
        if (image.isNull()) {
            return; // no memory for it: the shape is left out, as the painter would
        }
    }
    const QRect used(QPoint(0, 0), shape.size());
    for (int y = 0; y < used.height(); ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(image.scanLine(y));
        std::fill(line, line + used.width(), 0u);
    }
    coverage.Render(reinterpret_cast<std::uint32_t*>(image.bits()), image.bytesPerLine() / 4,
                    shades);
    image.setDevicePixelRatio(ratio);
    painter.drawImage(QPointF(shape.topLeft()) / ratio, image, QRectF(used));
}

} // namespace vel::graphics
