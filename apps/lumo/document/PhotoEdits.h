#pragma once

#include <cstdint>
#include <vector>

namespace vel::lumo {

class LumoDocument;

// Edits of the photo traced in the preview. Each is one undo step named as
// the user's action, and answers whether the document took it: a step that
// is refused, or that changes nothing, is not recorded.

// Puts the photo's file bytes (PNG or JPEG, at most TracingPhoto::MaxBytes)
// behind the shapes, centred and as high as the picture, half opaque; it
// takes the place of the photo there was.
bool TracePhoto(LumoDocument& document, std::vector<std::uint8_t> bytes);

bool RemovePhoto(LumoDocument& document);

// Moves the photo by a distance in model space.
bool MovePhoto(LumoDocument& document, float dx, float dy);

// Makes the photo larger by the factor (smaller below 1), around its centre.
bool ResizePhoto(LumoDocument& document, float factor);

// Shows the photo at an opacity from 0 (not at all) to 1 (fully).
bool SetPhotoOpacity(LumoDocument& document, float opacity);

} // namespace vel::lumo
