#pragma once

#include "apps/lumo/model/TracingPhoto.h"

#include <QImage>
#include <cstdint>
#include <memory>
#include <vector>

namespace vel::lumo {

// The preview's decoded copy of the document's photo to trace: decoded
// when the photo's bytes change, not for every paint.
class PreviewPhoto {
public:
    // The photo decoded; a null image for no photo or bytes that do not decode.
    const QImage& Image(const TracingPhoto& photo);

private:
    std::weak_ptr<const std::vector<std::uint8_t>> decoded_;
    QImage image_;
};

} // namespace vel::lumo
