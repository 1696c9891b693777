#include "apps/lumo/model/TracingPhoto.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace vel::lumo {

namespace {

constexpr std::array<std::uint8_t, 8> PngSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
constexpr std::array<std::uint8_t, 3> JpegSignature{0xFF, 0xD8, 0xFF};

template <std::size_t N>
bool StartsWith(const std::vector<std::uint8_t>& bytes, const std::array<std::uint8_t, N>& start) {
    return bytes.size() >= N && std::equal(start.begin(), start.end(), bytes.begin());
}

bool IsCoordinate(float value) {
    return std::isfinite(value) && std::abs(value) <= TracingPhoto::CoordinateLimit;
}

} // namespace

std::optional<TracingPhoto> TracingPhoto::Make(std::vector<std::uint8_t> bytes,
                                               Placement placement) {
    if (bytes.size() > MaxBytes || !IsPngOrJpeg(bytes) || !IsAcceptable(placement)) {
        return std::nullopt;
    }
    TracingPhoto photo;
    photo.bytes_ = std::make_shared<const std::vector<std::uint8_t>>(std::move(bytes));
    photo.placement_ = placement;
    return photo;
}

bool TracingPhoto::IsAcceptable(const Placement& placement) {
    return IsCoordinate(placement.centre.x) && IsCoordinate(placement.centre.y) &&
           IsCoordinate(placement.height) && placement.height >= MinHeight &&
           placement.opacity >= 0.0f && placement.opacity <= 1.0f;
}

bool TracingPhoto::IsPngOrJpeg(const std::vector<std::uint8_t>& bytes) {
    return StartsWith(bytes, PngSignature) || StartsWith(bytes, JpegSignature);
}

const std::vector<std::uint8_t>& TracingPhoto::Bytes() const {
    static const std::vector<std::uint8_t> none;
    return bytes_ ? *bytes_ : none;
}

bool TracingPhoto::SetPlacement(const Placement& placement) {
    if (!IsAcceptable(placement)) {
        return false;
    }
    placement_ = placement;
    return true;
}

bool TracingPhoto::operator==(const TracingPhoto& other) const {
    return placement_ == other.placement_ && IsEmpty() == other.IsEmpty() &&
           (bytes_ == other.bytes_ || Bytes() == other.Bytes());
}

} // namespace vel::lumo
