#include "core/FileError.h"

#include "core/File.h"

namespace vel::core {

FileError FileError::FromErrno(int err) {
    return FileError(File::ErrorFromErrno(err), err);
}

} // namespace vel::core
