#pragma once

#include "apps/lumo/document/LumoDocument.h"
#include "core/ReplacingFile.h"
#include "video/VideoWriter.h"

#include <memory>

namespace vel::lumo {

// What one export holds while it runs. Members are destroyed in reverse
// order: the writer first, then the new file (gone unless it was put in
// place), then the document copy.
struct ExportJob {
    ExportJob() = default;
    ExportJob(const ExportJob&) = delete;
    ExportJob& operator=(const ExportJob&) = delete;
    // A writer still held belongs to a cancelled or failed export: it is
    // given up without waiting for the encoders.
    ~ExportJob() {
        if (writer) {
            writer->Abandon();
        }
    }

    std::unique_ptr<LumoDocument> document;
    std::unique_ptr<core::ReplacingFile> target;
    std::unique_ptr<video::VideoWriter> writer;
};

} // namespace vel::lumo
