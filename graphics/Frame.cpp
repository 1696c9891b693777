#include "graphics/Frame.h"

#include <stdexcept>

namespace vel::graphics {

Frame::Frame(std::unique_ptr<IFrameImpl> impl) : impl_(std::move(impl)) {
    if (!impl_) {
        throw std::logic_error("a frame handle needs a back end");
    }
}

Frame Frame::Clone() const {
    return Frame(impl_->Clone());
}

void Frame::PushClip() {
    impl_->PushClip();
}

void Frame::PopClip() {
    impl_->PopClip();
}

void Frame::Clear(Color color) {
    impl_->Clear(color);
}

void Frame::FillRect(RectF rect, Color color) {
    impl_->FillRect(rect, color);
}

void Frame::FillPolygon(const std::vector<PointF>& points, Color color) {
    impl_->FillPolygon(points, color);
}

Font Frame::GetFont() const {
    return impl_->GetFont();
}

void Frame::SetFont(const Font& font) {
    impl_->SetFont(font);
}

void Frame::SetTextColor(Color color) {
    impl_->SetTextColor(color);
}

void Frame::SetPen(Color color, float width) {
    impl_->SetPen(color, width);
}

RectF Frame::GetViewport() const {
    return impl_->GetViewport();
}

void Frame::SetViewport(RectF viewport) {
    impl_->SetViewport(viewport);
}

void Frame::DrawLine(UnitPoint a, UnitPoint b) {
    impl_->DrawLine(a, b);
}

void Frame::DrawPolyline(const std::vector<UnitPoint>& points) {
    impl_->DrawPolyline(points);
}

void Frame::DrawLine(PointF a, PointF b) {
    impl_->DrawLine(a, b);
}

void Frame::DrawPolyline(const std::vector<PointF>& points) {
    impl_->DrawPolyline(points);
}

void Frame::DrawRect(RectF rect) {
    impl_->DrawRect(rect);
}

void Frame::DrawImage(const Image& image, RectF rect, float opacity) {
    impl_->DrawImage(image, rect, opacity);
}

void Frame::DrawText(PointF origin, const std::string& text) {
    impl_->DrawText(origin, text);
}

void Frame::DrawText(PointF origin, const std::u16string& text) {
    impl_->DrawText(origin, text);
}

PointF Frame::UnitToDevice(UnitPoint point) const {
    return impl_->UnitToDevice(point);
}

SizeF Frame::MeasureText(const std::string& text) const {
    return impl_->MeasureText(text);
}

SizeF Frame::MeasureText(const std::u16string& text) const {
    return impl_->MeasureText(text);
}

} // namespace vel::graphics
