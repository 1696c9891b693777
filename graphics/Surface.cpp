#include "graphics/Surface.h"

#include <stdexcept>

namespace vel::graphics {

Surface::Surface(std::unique_ptr<ISurfaceImpl> impl) : impl_(std::move(impl)) {
    if (!impl_) {
        throw std::logic_error("a surface handle needs a back end");
    }
}

Frame Surface::CreateFrame(DeviceContext device, DeviceRect target) {
    return Frame(impl_->CreateFrame(device, target));
}

float Surface::GetDpiX() const {
    return impl_->GetDpiX();
}

float Surface::GetDpiY() const {
    return impl_->GetDpiY();
}

Font Surface::GetDefaultFont() const {
    return impl_->GetDefaultFont();
}

} // namespace vel::graphics
