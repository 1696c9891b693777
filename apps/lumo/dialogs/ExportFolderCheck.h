#pragma once

#include <string>

namespace vel::lumo {

// What keeps a video from being made at file because of its folder (missing,
// not a folder, not writable) or because a folder has its name, in words for
// the export dialog's status line; empty when the folder takes the file.
std::string ExportFolderProblem(const std::string& file);

} // namespace vel::lumo
