#pragma once

#include <string>

namespace vel::lumo {

// lumo --render: exports the whole animation of the document to an MP4
// without a window or a display. Progress goes to standard error, the video's
// path to standard output; a failure is one line naming the file and the
// reason. Answers the exit code: 0 on success, 1 on failure.
// loops is the text of --loops: empty for once, else a whole number of at
// least 1. fitted draws every frame by the document's fit.
int RenderCommand(int& argc, char* argv[], const std::string& document, std::string output,
                  const std::string& loops, bool fitted);

// The document's path with ".mp4" in place of its extension.
std::string DefaultVideoName(const std::string& document);

} // namespace vel::lumo
