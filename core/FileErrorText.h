#pragma once

#include <cstdint>
#include <string>

namespace vel::core {

enum class FileOperation { Reading, Writing };

// The reason a file operation failed, for a message to the user: a File
// error code, where 0 means the contents were at fault.
std::string FileErrorText(uint32_t error, FileOperation operation);

} // namespace vel::core
