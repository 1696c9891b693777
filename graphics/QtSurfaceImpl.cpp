#include "graphics/QtSurfaceImpl.h"

#include "graphics/QtFrameImpl.h"
#include "graphics/QtText.h"

#include <QGuiApplication>

namespace vel::graphics {

std::unique_ptr<IFrameImpl> QtSurfaceImpl::CreateFrame(DeviceContext device, DeviceRect target) {
    return std::make_unique<QtFrameImpl>(*this, device, target);
}

Font QtSurfaceImpl::GetDefaultFont() const {
    return FontFromQFont(QGuiApplication::font());
}

} // namespace vel::graphics
