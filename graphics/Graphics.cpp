#include "graphics/Graphics.h"

#include "graphics/QtGraphicsImpl.h"

#include <stdexcept>

namespace vel::graphics {

Graphics::Graphics() : Graphics(std::make_unique<QtGraphicsImpl>()) {}

Graphics::Graphics(std::unique_ptr<IGraphicsImpl> impl) : impl_(std::move(impl)) {
    if (!impl_) {
        throw std::logic_error("a graphics handle needs a back end");
    }
}

Surface Graphics::CreateSurface() {
    return Surface(impl_->CreateSurface());
}

} // namespace vel::graphics
