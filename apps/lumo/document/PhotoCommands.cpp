#include "apps/lumo/document/PhotoCommands.h"

#include <utility>

namespace vel::lumo {

ReplacePhotoCmd::ReplacePhotoCmd(LumoDocument* document, std::string name, TracingPhoto photo)
    : LumoCommand(document, std::move(name)), photo_(std::move(photo)) {}

bool ReplacePhotoCmd::Do() {
    old_ = GetDocument().GetPhoto();
    if (photo_ == old_) {
        return false;
    }
    GetDocument().SetPhoto(photo_);
    return true;
}

bool ReplacePhotoCmd::Undo() {
    GetDocument().SetPhoto(old_);
    return true;
}

} // namespace vel::lumo
