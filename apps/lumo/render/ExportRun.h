#pragma once

#include "apps/lumo/render/ExportJob.h"
#include "apps/lumo/render/ExportOptions.h"

#include <cstdint>
#include <functional>

namespace vel::lumo {

// Told (frames done, frames in total) after every written frame; answers
// false to cancel the export.
using ExportProgress = std::function<bool(uint64_t done, uint64_t total)>;

// Renders the frames of the options' range, loop after loop, from a copy of
// source and writes them with their audio to the options' file, which is
// replaced only when the video is complete. Answers false when cancelled
// (the file is then untouched). Throws core::FileError when the file cannot
// be made or replaced (a device, a read-only file), video::XVideoWriter at
// the first frame that cannot be written, core::UserFailure for a document
// a video cannot show, and std::exception for other failures; the job is left holding what it had,
// and destroying it removes the unfinished file without waiting for the encoders. Needs a
// QGuiApplication (for text).
bool RunExport(ExportJob& job, const ExportOptions& options, const LumoDocument& source,
               const ExportProgress& progress);

} // namespace vel::lumo
