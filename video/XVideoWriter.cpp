#include "video/XVideoWriter.h"

#include "core/FileErrorText.h"

extern "C" {
#include <libavutil/error.h>
}

namespace vel::video {

std::string XVideoWriter::CodeText() const {
    // FFmpeg's codes for system errors are the negated error numbers.
    if (code_ < 0 && code_ > -4096) {
        return core::FileErrorText(core::FileError::FromErrno(-code_),
                                   core::FileOperation::Writing);
    }
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code_, text, sizeof text);
    return text;
}

} // namespace vel::video
