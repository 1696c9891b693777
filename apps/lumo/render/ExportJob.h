#pragma once

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/render/TemporaryTarget.h"
#include "video/VideoWriter.h"

#include <memory>

namespace vel::lumo {

// What one export holds while it runs. Members are destroyed in reverse
// order: the writer first (finishing the file), then the temporary file
// (removed unless it was put in place), then the document copy.
struct ExportJob {
    std::unique_ptr<LumoDocument> document;
    std::unique_ptr<TemporaryTarget> target;
    std::unique_ptr<video::VideoWriter> writer;
};

} // namespace vel::lumo
