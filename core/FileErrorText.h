#pragma once

#include "core/FileError.h"

#include <string>

namespace vel::core {

enum class FileOperation { Reading, Writing };

// The reason a file operation failed, for every message to the user; code 0
// means the contents were at fault. Where the code alone says little (a
// full disk, a size limit, a name too long), the system's own text.
std::string FileErrorText(const FileError& error, FileOperation operation);

} // namespace vel::core
