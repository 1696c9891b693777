#include "core/FileErrorText.h"

#include "core/File.h"

namespace vel::core {

std::string FileErrorText(uint32_t error, FileOperation operation) {
    const bool writing = operation == FileOperation::Writing;
    switch (error) {
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
    default:
        return writing ? "the file could not be written (disk full, too large, or a folder)"
                       : "the file could not be read";
    }
}

} // namespace vel::core
