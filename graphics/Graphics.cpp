#include "graphics/Graphics.h"

#include <stdexcept>

namespace vel::graphics {

Graphics::Graphics(std::unique_ptr<IGraphicsImpl> impl) : impl_(std::move(impl)) {
    if (!impl_) {
        throw std::logic_error("a graphics handle needs a back end");
    }
}

Surface Graphics::CreateSurface() {
    return Surface(impl_->CreateSurface());
}

} // namespace vel::graphics
