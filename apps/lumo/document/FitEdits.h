#pragma once

#include "apps/lumo/model/FitPoint.h"

#include <cstddef>

namespace vel::lumo {

class LumoDocument;

// Edits of the fit of the face to the pumpkin. Each is one undo step named
// as the user's action, and answers whether the document took it: a step
// that the fit refuses or that changes nothing is not recorded.

// Puts the handle (numbered as PumpkinFit numbers them) where a drag or an
// arrow key left it, in fractions of the picture.
bool MoveFitHandle(LumoDocument& document, std::size_t handle, FitPoint point);

// Puts every handle back at rest: the face shows unfitted.
bool ResetFit(LumoDocument& document);

// Switches the bendable grid of inner handles on or off; its bends stay
// while it is off.
bool SetFitGrid(LumoDocument& document, bool on);

} // namespace vel::lumo
