#pragma once

#include "graphics/IGraphicsImpl.h"
#include "graphics/Surface.h"

#include <memory>

namespace vel::graphics {

// Owns one back-end factory; one per program run.
class Graphics {
public:
    // On the platform's back end.
    Graphics();
    explicit Graphics(std::unique_ptr<IGraphicsImpl> impl);

    Surface CreateSurface();

private:
    std::unique_ptr<IGraphicsImpl> impl_;
};

} // namespace vel::graphics
