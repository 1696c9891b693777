#pragma once

#include "apps/lumo/model/EvaluatedShape.h"
#include "apps/lumo/model/Model.h"
#include "apps/lumo/model/PumpkinFit.h"
#include "apps/lumo/render/CanvasPlacement.h"
#include "graphics/Graphics.h"
#include "video/FrameRegion.h"

#include <QImage>
#include <cstdint>
#include <optional>
#include <vector>

namespace vel::lumo {

// The export's picture: one top-down 32-bit image (bytes B, G, R, X) that
// every frame is drawn into with the renderer the preview uses. Only what
// the last frame drew is blackened before the next, since all else is black.
// The canvas keeps its shape on a picture of another shape, black around it.
class ExportPicture {
public:
    // Needs a QGuiApplication. Every frame is drawn fitted by fit when it is
    // given; it must outlive the picture. The fit works in fractions of the
    // whole picture, black bars included.
    ExportPicture(int width, int height, const PumpkinFit* fit = nullptr,
                  CanvasSize canvas = VideoSize);

    // Draws one frame, with the frame counter showing counter when given,
    // and answers where the picture may differ from the one before it.
    video::FrameRegion Draw(const std::vector<EvaluatedShape>& shapes,
                            std::optional<uint64_t> counter, uint32_t frameRate);
    // Widens the next frame's answer by region, for a frame that was drawn
    // but not taken.
    void Keep(video::FrameRegion region) { stale_ = FromRegion(region); }

    const uint8_t* Rows() const { return image_.constBits(); }

private:
    static graphics::DeviceRect FromRegion(video::FrameRegion region);

    const PumpkinFit* fit_;
    CanvasPlacement placement_;
    graphics::Graphics graphics_;
    graphics::Surface surface_;
    QImage image_;
    graphics::DeviceRect drawn_; // what the image shows besides black
    graphics::DeviceRect stale_;
};

} // namespace vel::lumo
