#include "video/FileIo.h"

#include "video/XVideoWriter.h"

#include <cerrno>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/mem.h>
}

namespace vel::video {

namespace {

constexpr int BufferSize = 1 << 16;

int OpenAgain(AVFormatContext* format, AVIOContext** context, const char*, int flags,
              AVDictionary**) {
    if (flags & AVIO_FLAG_WRITE) {
        return AVERROR(EPERM);
    }
    try {
        *context = (new FileIo(*static_cast<core::File*>(format->opaque), false))->Context();
        return 0;
    } catch (const XVideoWriter& e) {
        return e.Code();
    }
}

int CloseAgain(AVFormatContext*, AVIOContext* context) {
    delete static_cast<FileIo*>(context->opaque);
    return 0;
}

} // namespace

FileIo::FileIo(core::File& file, bool writing) : file_(file) {
    auto* buffer = static_cast<uint8_t*>(av_malloc(BufferSize));
    if (buffer) {
        context_ = avio_alloc_context(buffer, BufferSize, writing ? 1 : 0, this, Read, Write, Seek);
    }
    if (!context_) {
        av_free(buffer);
        throw XVideoWriter(AVERROR(ENOMEM));
    }
}

FileIo::~FileIo() {
    av_freep(&context_->buffer);
    avio_context_free(&context_);
}

void FileIo::ServeReopening(AVFormatContext& format, core::File& file) {
    format.opaque = &file;
    format.io_open = OpenAgain;
    format.io_close2 = CloseAgain;
}

int FileIo::Failed() {
    const int system = file_.Failure().System();
    const int code = system != 0 ? AVERROR(system) : AVERROR(EIO);
    if (error_ == 0) {
        error_ = code;
    }
    return code;
}

int FileIo::Read(void* opaque, uint8_t* buffer, int size) {
    auto& io = *static_cast<FileIo*>(opaque);
    const size_t done =
        io.file_.ReadAt(buffer, static_cast<size_t>(size), static_cast<uint64_t>(io.position_));
    io.position_ += static_cast<int64_t>(done);
    if (done > 0) {
        return static_cast<int>(done);
    }
    return io.file_.GetError() == core::File::EndOfFile ? AVERROR_EOF : io.Failed();
}

int FileIo::Write(void* opaque, uint8_t* buffer, int size) {
    auto& io = *static_cast<FileIo*>(opaque);
    const size_t done =
        io.file_.WriteAt(buffer, static_cast<size_t>(size), static_cast<uint64_t>(io.position_));
    io.position_ += static_cast<int64_t>(done);
    return done == static_cast<size_t>(size) ? size : io.Failed();
}

int64_t FileIo::Seek(void* opaque, int64_t offset, int whence) {
    auto& io = *static_cast<FileIo*>(opaque);
    if (whence == AVSEEK_SIZE) {
        const auto size = io.file_.Size();
        return size ? static_cast<int64_t>(*size) : io.Failed();
    }
    int64_t base = 0;
    switch (whence & ~AVSEEK_FORCE) {
    case SEEK_SET:
        break;
    case SEEK_CUR:
        base = io.position_;
        break;
    case SEEK_END: {
        const auto size = io.file_.Size();
        if (!size) {
            return io.Failed();
        }
        base = static_cast<int64_t>(*size);
        break;
    }
    default:
        return AVERROR(EINVAL);
    }
    if (base + offset < 0) {
        return AVERROR(EINVAL);
    }
    io.position_ = base + offset;
    return io.position_;
}

} // namespace vel::video
