#pragma once

#include "graphics/GraphicsTypes.h"
#include "graphics/IFrameImpl.h"

#include <memory>

namespace vel::graphics {

class ISurfaceImpl {
public:
    virtual ~ISurfaceImpl() = default;
    // Drawing has begun on the returned frame.
    virtual std::unique_ptr<IFrameImpl> CreateFrame(DeviceContext device, DeviceRect target) = 0;
    virtual float GetDpiX() const = 0;
    virtual float GetDpiY() const = 0;
    virtual Font GetDefaultFont() const = 0;
};

} // namespace vel::graphics
