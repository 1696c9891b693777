#pragma once

#include "graphics/IGraphicsImpl.h"

namespace vel::graphics {

// The QPainter back end. Painting text needs a QGuiApplication (the
// offscreen platform will do when there is no display).
class QtGraphicsImpl : public IGraphicsImpl {
public:
    // Throws std::runtime_error when there is no QGuiApplication.
    std::unique_ptr<ISurfaceImpl> CreateSurface() override;
};

} // namespace vel::graphics
