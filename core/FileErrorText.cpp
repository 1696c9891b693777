#include "core/FileErrorText.h"

#include "core/File.h"

#include <cstring>

namespace vel::core {

std::string FileErrorText(const FileError& error, FileOperation operation) {
    const bool writing = operation == FileOperation::Writing;
    switch (error.Code()) {
    case File::NoError:
        return writing ? "the document is too large for its file format"
                       : "not a document file, or the file is damaged";
    case File::NotFound:
        return writing ? "the folder does not exist" : "the file does not exist";
    case File::AccessDenied:
        return "access denied";
    case File::WriteProtected:
        return "the medium is write protected";
    case File::InUse:
        return "the file is in use";
    case File::EndOfFile:
        return "the file is truncated";
    case File::NotAFile:
        return "not a regular file";
    default:
        if (error.System() != 0) {
            return std::strerror(error.System());
        }
        return writing ? "the file could not be written" : "the file could not be read";
    }
}

} // namespace vel::core
