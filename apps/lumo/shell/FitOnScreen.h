#pragma once

#include "apps/lumo/model/FitPoint.h"

#include <QPointF>
#include <QRectF>

namespace vel::lumo {

// Where the picture lies on the screen, to turn the fit's fractions of the
// picture into the screen's pixels and back: handles are drawn, dragged and
// nudged in pixels, while the fit keeps fractions.
class FitOnScreen {
public:
    FitOnScreen() = default;
    explicit FitOnScreen(const QRectF& picture) : picture_(picture) {}

    const QRectF& Picture() const { return picture_; }
    QPointF ToScreen(FitPoint point) const;
    // An empty picture has no fractions: everything lies on its corner.
    FitPoint ToFit(QPointF point) const;
    // The fit's point moved by a distance in pixels.
    FitPoint Moved(FitPoint point, QPointF distance) const;

private:
    QRectF picture_;
};

} // namespace vel::lumo
