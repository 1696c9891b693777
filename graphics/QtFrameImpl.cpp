#include "graphics/QtFrameImpl.h"

#include "graphics/QtCoverageFill.h"
#include "graphics/QtSurfaceImpl.h"
#include "graphics/QtText.h"

#include <QImage>
#include <QPaintDevice>
#include <QString>
#include <QTransform>
#include <stdexcept>

namespace vel::graphics {

namespace {

QColor ToQColor(Color color) {
    return QColor(color.red, color.green, color.blue);
}

QRectF ToQRectF(RectF rect) {
    return QRectF(QPointF(rect.left, rect.top), QPointF(rect.right, rect.bottom));
}

QPointF ToQPointF(PointF point) {
    return QPointF(point.x, point.y);
}

std::u16string ToUtf16(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toStdU16String();
}

} // namespace

QtFrameImpl::QtFrameImpl(const QtSurfaceImpl& surface, DeviceContext device, DeviceRect target)
    : ownedPass_(std::make_unique<QtPaintPass>()), pass_(ownedPass_.get()),
      font_(surface.GetDefaultFont()) {
    // Device pixels to the device's logical pixels, which frames work in.
    const qreal ratio = device ? device->devicePixelRatioF() : 1.0;
    viewport_ = {0, 0, static_cast<float>(target.right / ratio),
                 static_cast<float>(target.bottom / ratio)};
    if (!pass_->Begin(device, ToQRectF(viewport_))) {
        throw std::runtime_error("Could not bind the render target to the DC.");
    }
}

QtFrameImpl::QtFrameImpl(Secondary, const QtFrameImpl& source)
    : pass_(source.pass_), textColor_(source.textColor_), penColor_(source.penColor_),
      penWidth_(source.penWidth_), font_(source.font_), viewport_(source.viewport_) {}

QtFrameImpl::~QtFrameImpl() {
    for (; clips_ > 0; --clips_) {
        pass_->PopClip();
    }
    if (ownedPass_) {
        ownedPass_->Painter().end();
    }
}

std::unique_ptr<IFrameImpl> QtFrameImpl::Clone() const {
    return std::unique_ptr<IFrameImpl>(new QtFrameImpl(Secondary{}, *this));
}

void QtFrameImpl::PushClip() {
    pass_->PushClip(ToQRectF(viewport_));
    ++clips_;
}

// A frame pops only clips it pushed itself.
void QtFrameImpl::PopClip() {
    if (clips_ > 0) {
        pass_->PopClip();
        --clips_;
    }
}

void QtFrameImpl::Clear(Color color) {
    pass_->Painter().fillRect(pass_->Target(), ToQColor(color));
}

void QtFrameImpl::FillRect(RectF rect, Color color) {
    pass_->Painter().fillRect(ToQRectF(rect), ToQColor(color));
}

// Filled from coverage rather than by the painter, whose fill slows with the
// square of the edges that cross a row: a self-crossing outline of a few
// hundred points would take seconds.
void QtFrameImpl::FillPolygon(const std::vector<PointF>& points, Color color) {
    FillByCoverage(pass_->Painter(), pass_->Target(), points, ToQColor(color));
}

Font QtFrameImpl::GetFont() const {
    return font_;
}

void QtFrameImpl::SetFont(const Font& font) {
    font_ = font;
}

void QtFrameImpl::SetTextColor(Color color) {
    textColor_ = ToQColor(color);
}

void QtFrameImpl::SetPen(Color color, float width) {
    penColor_ = ToQColor(color);
    penWidth_ = width > 0 ? width : 1.0f; // NaN too
}

RectF QtFrameImpl::GetViewport() const {
    return viewport_;
}

void QtFrameImpl::SetViewport(RectF viewport) {
    viewport_ = viewport;
}

void QtFrameImpl::DrawLine(UnitPoint a, UnitPoint b) {
    DrawLine(UnitToDevice(a), UnitToDevice(b));
}

void QtFrameImpl::DrawPolyline(const std::vector<UnitPoint>& points) {
    std::vector<PointF> device;
    device.reserve(points.size());
    for (UnitPoint point : points) {
        device.push_back(UnitToDevice(point));
    }
    DrawPolyline(device);
}

void QtFrameImpl::DrawLine(PointF a, PointF b) {
    UseLinePen();
    pass_->Painter().drawLine(ToQPointF(a), ToQPointF(b));
}

// Separate segments, no joins, not closed.
void QtFrameImpl::DrawPolyline(const std::vector<PointF>& points) {
    if (points.size() < 2) {
        return;
    }
    QList<QLineF> lines;
    lines.reserve(static_cast<qsizetype>(points.size() - 1));
    for (std::size_t i = 1; i < points.size(); ++i) {
        lines.append(QLineF(ToQPointF(points[i - 1]), ToQPointF(points[i])));
    }
    UseLinePen();
    pass_->Painter().drawLines(lines);
}

void QtFrameImpl::DrawRect(RectF rect) {
    UseLinePen();
    pass_->Painter().drawRect(ToQRectF(rect));
}

void QtFrameImpl::DrawImage(const Image& image, RectF rect, float opacity) {
    // Only the part inside the target is drawn, so an image magnified far
    // beyond the target costs no more than the target.
    const QRectF whole = ToQRectF(rect);
    const QRectF shown = whole.intersected(pass_->Target());
    if (image.isNull() || !whole.isValid() || shown.isEmpty()) {
        return;
    }
    const double scaleX = image.width() / whole.width();
    const double scaleY = image.height() / whole.height();
    const QRectF source((shown.left() - whole.left()) * scaleX,
                        (shown.top() - whole.top()) * scaleY, shown.width() * scaleX,
                        shown.height() * scaleY);
    QPainter& painter = pass_->Painter();
    painter.save();
    painter.setOpacity(opacity);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(shown, image, source);
    painter.restore();
}

void QtFrameImpl::DrawText(PointF origin, const std::string& text) {
    DrawText(origin, ToUtf16(text));
}

void QtFrameImpl::DrawText(PointF origin, const std::u16string& text) {
    const auto layout =
        QtTextLayout::Make(font_, text, viewport_.right - viewport_.left, pass_->Device());
    if (!layout) {
        return;
    }
    pass_->UsePen(QPen(textColor_));
    QPainter& painter = pass_->Painter();
    if (font_.angle == 0) {
        layout->Draw(painter, origin);
        return;
    }
    const QTransform saved = painter.worldTransform();
    painter.translate(ToQPointF(origin));
    painter.rotate(-font_.angle); // Qt turns clockwise on a y-down target
    painter.translate(-ToQPointF(origin));
    layout->Draw(painter, origin);
    painter.setWorldTransform(saved);
}

PointF QtFrameImpl::UnitToDevice(UnitPoint point) const {
    const float width = viewport_.right - viewport_.left;
    const float height = viewport_.bottom - viewport_.top;
    return {viewport_.left + static_cast<float>(width * point.x),
            viewport_.bottom - static_cast<float>(height * point.y)};
}

SizeF QtFrameImpl::MeasureText(const std::string& text) const {
    return MeasureText(ToUtf16(text));
}

SizeF QtFrameImpl::MeasureText(const std::u16string& text) const {
    const auto layout =
        QtTextLayout::Make(font_, text, viewport_.right - viewport_.left, pass_->Device());
    return layout ? layout->Size() : SizeF{};
}

void QtFrameImpl::UseLinePen() {
    pass_->UsePen(QPen(penColor_, penWidth_, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
}

} // namespace vel::graphics
