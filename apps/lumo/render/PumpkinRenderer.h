#pragma once

#include "apps/lumo/model/EvaluatedShape.h"
#include "apps/lumo/model/PumpkinFit.h"
#include "apps/lumo/model/Rgba.h"
#include "graphics/Frame.h"

#include <vector>

namespace vel::lumo {

// The colour a shape is filled with: each channel truncated to a byte
// (0.5 gives 127); alpha is not used.
graphics::Color FillColor(const Rgba& color);

// The outline in the frame's pixels (model space as TargetMapping puts it on
// the frame's viewport).
std::vector<graphics::PointF> ModelToTarget(const graphics::Frame& frame,
                                            const std::vector<Point>& outline);

// Fills every shape of one frame of the pumpkin, in order, so later shapes
// cover earlier ones; shapes of fewer than three points, or with a point
// that is not a finite number, are skipped. The
// caller clears the frame first and draws its overlays after.
//
// With a fit, the picture is drawn as it shows on the real pumpkin: each
// outline, once in the frame's pixels, is warped by the fit and filled as
// usual, so edges stay sharp. Null, or a fit that changes nothing, draws the
// picture unfitted, pixel for pixel.
//
// Answers the whole pixels that the fills may have touched, inside the
// viewport's size (empty when nothing was filled), so that a caller can
// process only that part of the picture. On a target whose device pixel
// ratio is 1, as the export's, these are device pixels.
graphics::DeviceRect DrawPumpkin(graphics::Frame& frame, const std::vector<EvaluatedShape>& shapes,
                                 const PumpkinFit* fit = nullptr);

} // namespace vel::lumo
