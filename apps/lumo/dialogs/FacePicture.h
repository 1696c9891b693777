#pragma once

#include <QImage>
#include <QSize>

namespace vel::lumo {

class LumoDocument;

// The face as the gallery shows it, drawn by the export's renderer at its
// first frame's knob values but with the Mouth knob at its far end: a face
// keeps its knobs at frame 0 alone, where the mouth is shut, and the far end
// shows the mouth pose whole, the face talking, with no sound needed.
QImage FacePicture(const LumoDocument& face, QSize size);

} // namespace vel::lumo
