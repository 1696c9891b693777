#pragma once

#include "graphics/ISurfaceImpl.h"

#include <memory>

namespace vel::graphics {

// The back end's factory for one program run.
class IGraphicsImpl {
public:
    virtual ~IGraphicsImpl() = default;
    virtual std::unique_ptr<ISurfaceImpl> CreateSurface() = 0;
};

} // namespace vel::graphics
