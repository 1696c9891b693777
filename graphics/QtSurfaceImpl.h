#pragma once

#include "graphics/ISurfaceImpl.h"

namespace vel::graphics {

// Frames on widgets and images. Frames measure in Qt's logical pixels, the
// counterpart of device-independent pixels, so the dots per inch are 96.
class QtSurfaceImpl : public ISurfaceImpl {
public:
    std::unique_ptr<IFrameImpl> CreateFrame(DeviceContext device, DeviceRect target) override;
    float GetDpiX() const override { return 96.0f; }
    float GetDpiY() const override { return 96.0f; }
    // The application's font.
    Font GetDefaultFont() const override;
};

} // namespace vel::graphics
