#pragma once

#include "core/File.h"

#include <cstdint>

extern "C" {
#include <libavformat/avio.h>
}

struct AVFormatContext;

namespace vel::video {

// FFmpeg's I/O on an open file, at a position of its own: the MP4 muxer
// opens a second context on its output to move the index to the front,
// reading one part of the file while writing another. Remembers the first
// failed read or write.
class FileIo {
public:
    // A context for writing or for reading only; throws XVideoWriter when
    // FFmpeg has no memory for it.
    FileIo(core::File& file, bool writing);
    FileIo(const FileIo&) = delete;
    FileIo& operator=(const FileIo&) = delete;
    ~FileIo();

    AVIOContext* Context() const { return context_; }
    // The FFmpeg code of the first failed transfer, 0 when none failed.
    int Error() const { return error_; }

    // Lets the format reopen its output as a further context on the file.
    static void ServeReopening(AVFormatContext& format, core::File& file);

private:
    static int Read(void* opaque, uint8_t* buffer, int size);
    static int Write(void* opaque, uint8_t* buffer, int size);
    static int64_t Seek(void* opaque, int64_t offset, int whence);
    int Failed();

    core::File& file_;
    AVIOContext* context_ = nullptr;
    int64_t position_ = 0;
    int error_ = 0;
};

} // namespace vel::video
