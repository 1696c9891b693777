#include "video/XVideoWriter.h"

extern "C" {
#include <libavutil/error.h>
}

namespace vel::video {

std::string XVideoWriter::CodeText() const {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code_, text, sizeof text);
    return text;
}

} // namespace vel::video
