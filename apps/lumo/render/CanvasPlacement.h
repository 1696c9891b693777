#pragma once

#include "apps/lumo/model/EvaluatedShape.h"
#include "apps/lumo/model/Model.h"
#include "graphics/GraphicsTypes.h"

#include <vector>

namespace vel::lumo {

// The canvas, the picture the preview shows, put as large as it fits in
// the middle of a picture of another shape: letter-boxed or pillar-boxed on
// black, never stretched. It works on the outlines, so that the picture's
// own mapping (TargetMapping) and its fit stay those of the whole picture.
class CanvasPlacement {
public:
    // Sides of 0 stand for VideoSize.
    CanvasPlacement(CanvasSize canvas, CanvasSize picture);

    // Whether the canvas has the picture's shape, so that shapes stay as
    // they are.
    bool Fills() const { return fills_; }
    // Each outline scaled about the centre to its place on the picture and
    // cut to the canvas; shapes left with nothing, or with a point that is
    // not a finite number, are left out.
    std::vector<EvaluatedShape> Place(const std::vector<EvaluatedShape>& shapes) const;

private:
    bool fills_;
    float scale_;
    graphics::RectF canvas_; // in model units of the picture, y up
};

} // namespace vel::lumo
