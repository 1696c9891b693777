#include "apps/lumo/document/PhotoEdits.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/document/PhotoCommands.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace vel::lumo {

namespace {

// One step that changes where the photo lies or how it shows; there is
// nothing to place without a photo.
bool Place(LumoDocument& document, const char* name,
           const std::function<void(TracingPhoto::Placement&)>& change) {
    TracingPhoto photo = document.GetPhoto();
    TracingPhoto::Placement placement = photo.GetPlacement();
    change(placement);
    return !photo.IsEmpty() && photo.SetPlacement(placement) &&
           document.Execute(ReplacePhotoCmd(&document, name, std::move(photo)));
}

} // namespace

bool TracePhoto(LumoDocument& document, std::vector<std::uint8_t> bytes) {
    std::optional<TracingPhoto> photo = TracingPhoto::Make(std::move(bytes), {});
    return photo && document.Execute(ReplacePhotoCmd(&document, "Trace Photo", std::move(*photo)));
}

bool RemovePhoto(LumoDocument& document) {
    return document.Execute(ReplacePhotoCmd(&document, "Remove Photo", TracingPhoto{}));
}

bool MovePhoto(LumoDocument& document, float dx, float dy) {
    return Place(document, "Move Photo", [dx, dy](TracingPhoto::Placement& placement) {
        placement.centre = {placement.centre.x + dx, placement.centre.y + dy};
    });
}

bool ResizePhoto(LumoDocument& document, float factor) {
    return Place(document, "Resize Photo",
                 [factor](TracingPhoto::Placement& placement) { placement.height *= factor; });
}

bool SetPhotoOpacity(LumoDocument& document, float opacity) {
    return Place(document, "Photo Opacity",
                 [opacity](TracingPhoto::Placement& placement) { placement.opacity = opacity; });
}

} // namespace vel::lumo
