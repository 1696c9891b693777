#include "apps/lumo/render/ExportPicture.h"

#include "apps/lumo/render/FrameCounter.h"
#include "apps/lumo/render/PumpkinRenderer.h"
#include "graphics/QtGraphicsImpl.h"

#include <algorithm>

namespace vel::lumo {

namespace {

using graphics::DeviceRect;

bool IsEmpty(const DeviceRect& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

DeviceRect Union(const DeviceRect& a, const DeviceRect& b) {
    if (IsEmpty(a)) {
        return b;
    }
    if (IsEmpty(b)) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

} // namespace

ExportPicture::ExportPicture(int width, int height, const PumpkinFit* fit, CanvasSize canvas)
    : fit_(fit), placement_(canvas, {static_cast<uint32_t>(width), static_cast<uint32_t>(height)}),
      graphics_(std::make_unique<graphics::QtGraphicsImpl>()), surface_(graphics_.CreateSurface()),
      image_(width, height, QImage::Format_RGB32) {
    image_.fill(Qt::black);
}

DeviceRect ExportPicture::FromRegion(video::FrameRegion region) {
    return {static_cast<int32_t>(region.left), static_cast<int32_t>(region.top),
            static_cast<int32_t>(region.right), static_cast<int32_t>(region.bottom)};
}

video::FrameRegion ExportPicture::Draw(const std::vector<EvaluatedShape>& shapes,
                                       std::optional<uint64_t> counter, uint32_t frameRate) {
    for (int y = drawn_.top; y < drawn_.bottom; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image_.scanLine(y));
        std::fill(row + drawn_.left, row + drawn_.right, qRgb(0, 0, 0));
    }
    const int width = image_.width();
    const int height = image_.height();
    DeviceRect touched;
    {
        graphics::Frame frame = surface_.CreateFrame(&image_, {0, 0, width, height});
        touched = placement_.Fills() ? DrawPumpkin(frame, shapes, fit_)
                                     : DrawPumpkin(frame, placement_.Place(shapes), fit_);
        if (counter) {
            touched = Union(touched, DrawFrameCounter(frame, *counter, frameRate));
        }
    }
    touched = {std::clamp(touched.left, 0, width), std::clamp(touched.top, 0, height),
               std::clamp(touched.right, 0, width), std::clamp(touched.bottom, 0, height)};
    const DeviceRect changed = Union(Union(drawn_, stale_), touched);
    drawn_ = touched;
    stale_ = {};
    return {static_cast<uint32_t>(changed.left), static_cast<uint32_t>(changed.top),
            static_cast<uint32_t>(changed.right), static_cast<uint32_t>(changed.bottom)};
}

} // namespace vel::lumo
