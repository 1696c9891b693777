#include "apps/lumo/shell/FitHandleLayer.h"

#include "graphics/Drawable.h"

#include <QPainter>
#include <QPolygonF>
#include <QRect>
#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

namespace vel::lumo {
namespace {

// Lines are light on dark, so that they show on black and on white.
constexpr double OutlineWidth = 3;
constexpr double LightWidth = 1;
// Cyan stands out against black, white and the candle's orange.
constexpr QRgb Chosen = 0x00FFFF;
constexpr double CornerSide = 12;
constexpr double GridSide = 9;
constexpr double SelectedSide = 18;
constexpr double Border = 2;
// The lines along the picture's edges and through the grid's handles are
// drawn as this many straight pieces each, enough for the grid's bends to
// look smooth.
constexpr int LinePieces = 48;
// The lines lie at the picture's edges and where the grid's handles rest.
constexpr int LatticeSteps = 4;

bool IsDrawable(QPointF p) {
    return graphics::IsDrawable({static_cast<float>(p.x()), static_cast<float>(p.y())});
}

QRectF Square(QPointF centre, double side) {
    return {centre.x() - side / 2, centre.y() - side / 2, side, side};
}

// A handle at the screen's edge, where the corners of an unfitted face lie,
// shows whole just inside rather than cut to a quarter, with the point still
// on it; the dot of the selected one marks the very point.
void DrawSquare(QPainter& painter, const QRect& screen, QPointF centre, double side,
                const QColor& color) {
    const auto keep = [half = side / 2](double at, int first, int last) {
        return std::clamp(at, first + half, std::max(first + half, last + 1 - half));
    };
    const QPointF inside(keep(centre.x(), screen.left(), screen.right()),
                         keep(centre.y(), screen.top(), screen.bottom()));
    painter.fillRect(Square(inside, side + 2 * Border), Qt::black);
    painter.fillRect(Square(inside, side), color);
}

} // namespace

std::size_t FitHandleLayer::Selected(const PumpkinFit& fit) const {
    return selected_ < fit.GetActiveHandleCount() ? selected_ : 0;
}

void FitHandleLayer::SelectNext(const PumpkinFit& fit, bool backward) {
    const std::size_t count = fit.GetActiveHandleCount();
    const std::size_t current = Selected(fit);
    selected_ = backward ? (current + count - 1) % count : (current + 1) % count;
}

std::optional<QPointF> FitHandleLayer::HandleOnScreen(const PumpkinFit& fit,
                                                      const FitOnScreen& place,
                                                      std::size_t handle) {
    const std::optional<FitPoint> at = fit.GetHandle(handle);
    if (!at || !IsDrawable(place.ToScreen(*at))) {
        return std::nullopt;
    }
    return place.ToScreen(*at);
}

std::optional<std::size_t> FitHandleLayer::HandleAt(const PumpkinFit& fit, const FitOnScreen& place,
                                                    QPointF point) {
    std::optional<std::size_t> nearest;
    double best = GrabRadius;
    for (std::size_t handle = 0; handle < fit.GetActiveHandleCount(); ++handle) {
        const std::optional<QPointF> at = HandleOnScreen(fit, place, handle);
        if (!at) {
            continue;
        }
        const double distance = std::hypot(at->x() - point.x(), at->y() - point.y());
        if (distance <= best) {
            best = distance;
            nearest = handle;
        }
    }
    return nearest;
}

void FitHandleLayer::Draw(QPainter& painter, const QRect& screen, const PumpkinFit& fit,
                          const FitOnScreen& place) const {
    if (aiming_) {
        painter.save();
        aiming_->Draw(painter, screen);
        painter.restore();
        return;
    }
    if (!handlesShown_) {
        return;
    }
    painter.save();
    DrawLines(painter, fit, place);
    DrawHandles(painter, screen, fit, place);
    painter.restore();
}

// The picture's edges as the fit shows them, and with the grid on the lines
// through its handles, bent as the grid bends the face. A line breaks where
// the fit sends it off the screen or beyond the horizon. All dark lines go
// first, so that no crossing line cuts a light one.
void FitHandleLayer::DrawLines(QPainter& painter, const PumpkinFit& fit, const FitOnScreen& place) {
    std::vector<QPolygonF> pieces(1);
    const int step = fit.IsGridOn() ? 1 : LatticeSteps;
    for (bool across : {true, false}) {
        for (int line = 0; line <= LatticeSteps; line += step) {
            const float at = static_cast<float>(line) / LatticeSteps;
            for (int i = 0; i <= LinePieces; ++i) {
                const float along = static_cast<float>(i) / LinePieces;
                const std::optional<FitPoint> shown =
                    fit.Map(across ? FitPoint{along, at} : FitPoint{at, along});
                if (shown && IsDrawable(place.ToScreen(*shown))) {
                    pieces.back().append(place.ToScreen(*shown));
                } else if (!pieces.back().isEmpty()) {
                    pieces.emplace_back();
                }
            }
            pieces.emplace_back();
        }
    }
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    for (auto [color, width] :
         {std::pair{Qt::black, OutlineWidth}, std::pair{Qt::white, LightWidth}}) {
        painter.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        for (const QPolygonF& piece : pieces) {
            painter.drawPolyline(piece);
        }
    }
}

void FitHandleLayer::DrawHandles(QPainter& painter, const QRect& screen, const PumpkinFit& fit,
                                 const FitOnScreen& place) const {
    const std::size_t selected = Selected(fit);
    for (std::size_t handle = 0; handle < fit.GetActiveHandleCount(); ++handle) {
        const std::optional<QPointF> at = HandleOnScreen(fit, place, handle);
        if (at && handle != selected) {
            DrawSquare(painter, screen, *at,
                       handle < PumpkinFit::CornerCount ? CornerSide : GridSide, Qt::white);
        }
    }
    // Drawn last, so that no other handle covers it, with a dot on the very
    // point to place it to the pixel.
    if (const std::optional<QPointF> at = HandleOnScreen(fit, place, selected)) {
        DrawSquare(painter, screen, *at, SelectedSide, QColor(Chosen));
        painter.fillRect(Square(*at, 2 * Border), Qt::black);
    }
}

} // namespace vel::lumo
