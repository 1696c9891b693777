#pragma once

#include "apps/lumo/document/LumoCommand.h"
#include "apps/lumo/model/TracingPhoto.h"

#include <string>

namespace vel::lumo {

// Puts a photo to trace in place of the document's, or takes it away with
// an empty one, keeping the old one for undo. The photos share their bytes,
// so the history holds each photo's bytes once. A step that leaves the
// photo as it was is not recorded.
class ReplacePhotoCmd : public LumoCommand<ReplacePhotoCmd> {
public:
    ReplacePhotoCmd(LumoDocument* document, std::string name, TracingPhoto photo);

    bool Do() override;
    bool Undo() override;

private:
    TracingPhoto photo_;
    TracingPhoto old_;
};

} // namespace vel::lumo
