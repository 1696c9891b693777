#pragma once

#include "graphics/Frame.h"
#include "graphics/ISurfaceImpl.h"

#include <memory>

namespace vel::graphics {

// One per window or per export; makes a frame for every paint.
class Surface {
public:
    explicit Surface(std::unique_ptr<ISurfaceImpl> impl);

    Frame CreateFrame(DeviceContext device, DeviceRect target);
    float GetDpiX() const;
    float GetDpiY() const;
    Font GetDefaultFont() const;

private:
    std::unique_ptr<ISurfaceImpl> impl_;
};

} // namespace vel::graphics
