#include "apps/lumo/panes/PreviewPhoto.h"

#include "apps/lumo/panes/PhotoImage.h"

namespace vel::lumo {

namespace {

bool SameBytes(const std::weak_ptr<const std::vector<std::uint8_t>>& a,
               const std::weak_ptr<const std::vector<std::uint8_t>>& b) {
    return !a.owner_before(b) && !b.owner_before(a);
}

} // namespace

const QImage& PreviewPhoto::Image(const TracingPhoto& photo) {
    const auto bytes = photo.BytesIdentity();
    if (!SameBytes(bytes, decoded_) || decoded_.expired()) {
        decoded_ = bytes;
        image_ = photo.IsEmpty() ? QImage() : DecodePhoto(photo.Bytes());
    }
    return image_;
}

} // namespace vel::lumo
