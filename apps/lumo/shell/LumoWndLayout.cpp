#include "apps/lumo/panes/PreviewWnd.h"
#include "apps/lumo/panes/ShapeWnd.h"
#include "apps/lumo/panes/TimelineWnd.h"
#include "apps/lumo/panes/TransportBar.h"
#include "apps/lumo/shell/DraggingSplitter.h"
#include "apps/lumo/shell/LumoWnd.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <cmath>

namespace vel::lumo {

namespace {
constexpr int MinimumSplitterThickness = 4;
// Beyond any screen; a larger canvas from a damaged file lays out as the default.
constexpr uint32_t MaximumCanvasSide = 1u << 16;
} // namespace

int LumoWnd::SplitterWidth() const {
    return std::max(style()->pixelMetric(QStyle::PM_SplitterWidth), MinimumSplitterThickness);
}

int LumoWnd::SplitterHeight() const {
    return SplitterWidth();
}

void LumoWnd::Layout() {
    PlacePanes();
    splitProportions_.Take(client_->size(), QPoint(xSplit_, ySplit_));
}

// Once the window has shown its panes, a resize keeps the splits'
// proportions; until then, the sizes the start-up passes through (a restored
// placement, then maximised) set them afresh.
void LumoWnd::OnClientResized() {
    const std::optional<QPoint> splits =
        shown_ ? splitProportions_.For(client_->size()) : std::nullopt;
    if (!splits) {
        Layout();
        return;
    }
    xSplit_ = splits->x();
    ySplit_ = splits->y();
    PlacePanes();
}

void LumoWnd::PlacePanes() {
    const QRect client = client_->rect();
    const int right = client.width();
    const int bottom = client.height();
    const int dpiX = client_->logicalDpiX();
    const int dpiY = client_->logicalDpiY();
    const int cx = SplitterWidth();
    const int cy = SplitterHeight();
    int pw = static_cast<int>(VideoSize.width);
    int ph = static_cast<int>(VideoSize.height);
    if (document_) {
        const auto [w, h] = document_->GetModel().GetCanvasSize();
        if (w > 0 && h > 0 && w <= MaximumCanvasSide && h <= MaximumCanvasSide) {
            pw = static_cast<int>(w);
            ph = static_cast<int>(h);
        }
    }
    if (xSplit_ <= 0 || xSplit_ > right || ySplit_ <= 0 || ySplit_ > bottom) {
        // Shrinks by quarters until the preview fits; a window too small for
        // any preview ends the shrinking at nothing instead of looping.
        int w = pw;
        int h = ph;
        while ((w > right - 4 * dpiX || h > (3 * bottom) / 4) && (w > 0 || h > 0)) {
            w = (3 * w) / 4;
            h = (3 * h) / 4;
        }
        xSplit_ = w;
        ySplit_ = h;
    }
    const float scale = std::min(static_cast<float>(ySplit_) / static_cast<float>(ph),
                                 static_cast<float>(xSplit_) / static_cast<float>(pw));
    const int previewWidth = static_cast<int>(std::floor(static_cast<float>(pw) * scale + 0.5f));
    const int previewHeight = static_cast<int>(std::floor(static_cast<float>(ph) * scale + 0.5f));
    preview_->setGeometry((xSplit_ - previewWidth) / 2, (ySplit_ - previewHeight) / 2, previewWidth,
                          previewHeight);
    shapes_->setGeometry(xSplit_ + cx, 0, std::max(right - xSplit_ - cx, 0), ySplit_);
    const int barHeight = dpiY / 3;
    transport_->setGeometry(0, ySplit_ + cy, right, barHeight);
    const int timelineTop = ySplit_ + cy + barHeight;
    timeline_->setGeometry(0, timelineTop, right, std::max(bottom - timelineTop, 0));
    client_->update();
}

bool LumoWnd::OnVerticalSplitter(QPoint p) const {
    return p.y() < ySplit_ + SplitterHeight() && xSplit_ <= p.x() &&
           p.x() < xSplit_ + SplitterWidth();
}

bool LumoWnd::OnHorizontalSplitter(QPoint p) const {
    return ySplit_ <= p.y() && p.y() < ySplit_ + SplitterHeight();
}

void LumoWnd::PaintSplitters() {
    QPainter painter(client_);
    const QRect area = client_->rect();
    const QPalette& colors = palette();
    const int cx = SplitterWidth();
    const int cy = SplitterHeight();
    painter.fillRect(area, colors.color(QPalette::Shadow));
    painter.setPen(colors.color(QPalette::Light));
    painter.drawLine(xSplit_, 0, xSplit_, ySplit_);
    painter.drawLine(0, ySplit_, xSplit_, ySplit_);
    painter.drawLine(xSplit_ + cx, ySplit_, area.right(), ySplit_);
    painter.setPen(colors.color(QPalette::Dark));
    painter.drawLine(xSplit_ + cx - 1, 0, xSplit_ + cx - 1, ySplit_);
    painter.drawLine(0, ySplit_ + cy - 1, area.right(), ySplit_ + cy - 1);
}

void LumoWnd::UpdateSplitterCursor(QPoint p) {
    const bool vertical = OnVerticalSplitter(p);
    const bool horizontal = OnHorizontalSplitter(p);
    if (vertical || horizontal) {
        client_->setCursor(DraggingSplitter::CursorFor(vertical, horizontal));
    } else {
        client_->unsetCursor();
    }
}

void LumoWnd::StartSplitterDrag(QPoint p) {
    const bool vertical = OnVerticalSplitter(p);
    const bool horizontal = OnHorizontalSplitter(p);
    if (vertical || horizontal) {
        splitterDrag_.SetState(std::make_unique<DraggingSplitter>(
            client_, vertical ? &xSplit_ : nullptr, horizontal ? &ySplit_ : nullptr,
            [this] { Layout(); }));
    }
}

// The client area between the panes is the splitters' own: painted, hit and
// dragged here.
bool LumoWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched != client_) {
        return MainWindowImpl::eventFilter(watched, event);
    }
    switch (event->type()) {
    case QEvent::Resize:
        OnClientResized();
        return false;
    case QEvent::Paint:
        PaintSplitters();
        shown_ = true;
        return true;
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton) {
            StartSplitterDrag(mouse->position().toPoint());
        }
        return true;
    }
    case QEvent::MouseMove:
        if (!splitterDrag_.Forward(*event)) {
            UpdateSplitterCursor(static_cast<QMouseEvent*>(event)->position().toPoint());
        }
        return true;
    case QEvent::MouseButtonRelease:
        splitterDrag_.Forward(*event);
        return true;
    case QEvent::WindowDeactivate:
        splitterDrag_.Forward(*event);
        return false;
    default:
        return false;
    }
}

} // namespace vel::lumo
