#pragma once

#include <string>

namespace vel::lumo {

// What keeps a video from being made at file because of its folder (missing,
// not a folder, not writable), in words for the export dialog's status line;
// empty when the folder takes new files.
std::string ExportFolderProblem(const std::string& file);

} // namespace vel::lumo
