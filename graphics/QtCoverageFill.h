#pragma once

#include "graphics/GraphicsTypes.h"

#include <QColor>
#include <QPainter>
#include <QRectF>
#include <vector>

namespace vel::graphics {

// Fills the outline through `points` (logical pixels) inside `target` with
// the non-zero rule, from its coverage by area, drawn as one image at the
// device's full resolution. Its cost follows the rows the edges span, where
// the painter's own fill slows with the square of the edges crossing a row.
void FillByCoverage(QPainter& painter, QRectF target, const std::vector<PointF>& points,
                    QColor color);

} // namespace vel::graphics
