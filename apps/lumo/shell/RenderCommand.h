#pragma once

#include "apps/lumo/model/Model.h"

#include <string>

namespace vel::lumo {

// What --render is asked for, as the command line gives it.
struct RenderRequest {
    std::string document;
    // Empty for the document's name with .mp4.
    std::string output;
    // The text of --loops: empty for once, else a whole number of at least 1.
    std::string loops;
    // The text of --minutes: empty for no least length, else a whole number
    // from 1 to MaximumMinutes.
    std::string minutes;
    CanvasSize size = VideoSize;
    // Draws every frame by the document's fit.
    bool fitted = false;
};

// lumo --render: exports the whole animation of the document to an MP4
// without a window or a display. Progress goes to standard error, the video's
// path to standard output; a failure is one line naming the file and the
// reason. Answers the exit code: 0 on success, 1 on failure.
int RenderCommand(int& argc, char* argv[], const RenderRequest& request);

// The document's path with ".mp4" in place of its extension.
std::string DefaultVideoName(const std::string& document);

} // namespace vel::lumo
