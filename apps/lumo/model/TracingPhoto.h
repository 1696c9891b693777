#pragma once

#include "apps/lumo/model/Point.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace vel::lumo {

// A photo of the user's own pumpkin, shown behind the preview's shapes so
// that they can be traced over it; never part of a video's picture.
//
// The photo's file bytes (PNG or JPEG) are kept as they came, so the
// document shows the same photo on any machine. Where it lies is kept in
// model space, the shapes' own coordinates, so that it stays under the
// shapes they were traced from at every pane size and zoom: its centre and
// its height in model units (the width follows from the photo's own
// proportions), and how opaque it shows. Copies share the bytes, so the
// history and a document's copies never copy them.
class TracingPhoto {
public:
    // Larger photos are refused.
    static constexpr std::uint64_t MaxBytes = std::uint64_t{20} * 1024 * 1024;
    // Placements a photo accepts, so that every photo in memory also loads.
    static constexpr float CoordinateLimit = 1e6f;
    static constexpr float MinHeight = 0.01f;

    struct Placement {
        Point centre;
        // The whole height of the picture as an export frames it.
        float height = 2.0f;
        float opacity = 0.5f;
        friend bool operator==(const Placement&, const Placement&) = default;
    };

    // No photo.
    TracingPhoto() = default;
    // A photo of the bytes at the placement; none when the bytes are not a
    // PNG or JPEG file's, are over MaxBytes, or the placement is refused.
    static std::optional<TracingPhoto> Make(std::vector<std::uint8_t> bytes, Placement placement);

    static bool IsAcceptable(const Placement& placement);
    // Whether the bytes begin as a PNG or a JPEG file does.
    static bool IsPngOrJpeg(const std::vector<std::uint8_t>& bytes);

    bool IsEmpty() const { return bytes_ == nullptr; }
    const std::vector<std::uint8_t>& Bytes() const;
    // Tells these bytes from all others for as long as they live, without
    // keeping them alive.
    std::weak_ptr<const std::vector<std::uint8_t>> BytesIdentity() const { return bytes_; }

    const Placement& GetPlacement() const { return placement_; }
    // False, changing nothing, for a placement that is refused.
    bool SetPlacement(const Placement& placement);

    // Same placement and same bytes.
    bool operator==(const TracingPhoto& other) const;

private:
    std::shared_ptr<const std::vector<std::uint8_t>> bytes_;
    Placement placement_;
};

} // namespace vel::lumo
