#include "graphics/QtGraphicsImpl.h"

#include "graphics/QtSurfaceImpl.h"

#include <QGuiApplication>
#include <stdexcept>

namespace vel::graphics {

std::unique_ptr<ISurfaceImpl> QtGraphicsImpl::CreateSurface() {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        throw std::runtime_error("Could not create the render target.");
    }
    return std::make_unique<QtSurfaceImpl>();
}

} // namespace vel::graphics
