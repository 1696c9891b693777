#pragma once

#include "apps/lumo/document/Selection.h"
#include "apps/lumo/model/Point.h"

#include <cstdint>

namespace vel::lumo {

class LumoDocument;

// What lies under a model position in the preview: a marker of the selected
// shape's edited or reference pose, and the topmost shape that contains it.
struct PreviewHit {
    bool insideShape = false;
    std::uint64_t shape = 0;
    bool onPoint = false;
    std::uint64_t pointShape = 0;
    std::uint64_t pointPose = 0;
    std::uint64_t point = 0;
};

// A point is hit within a model distance of √0.001 at the whole picture,
// divided by the zoom's scale so that markers keep their size on the screen,
// and the nearest wins; a reference-pose point wins only when strictly nearer
// than every edited one. Shapes are tested at the frame, topmost first, by
// the even-odd rule. Nothing is hit without a document.
PreviewHit HitTestPreview(const LumoDocument* document, const Selection& selection,
                          std::uint32_t frame, Point position, double scale = 1.0);

} // namespace vel::lumo
