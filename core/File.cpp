#include "core/File.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vel::core {

File::File(File&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), error_(std::exchange(other.error_, FileError())) {}

File& File::operator=(File&& other) noexcept {
    if (this != &other) {
        Close();
        fd_ = std::exchange(other.fd_, -1);
        error_ = std::exchange(other.error_, FileError());
    }
    return *this;
}

File::~File() {
    Close();
}

uint32_t File::ErrorFromErrno(int err) {
    switch (err) {
    case 0:
        return NoError;
    case ENOENT:
    case ENOTDIR:
        return NotFound;
    case EACCES:
    case EPERM:
        return AccessDenied;
    case EROFS:
        return WriteProtected;
    case EBUSY:
    case ETXTBSY:
        return InUse;
    default:
        return OtherError;
    }
}

bool File::Open(const std::string& path, uint32_t access, uint32_t creation) {
    int flags = O_CLOEXEC;
    switch (access) {
    case NoAccess:
        // A path-only handle cannot create, so creation opens for reading.
        flags |= creation == OpenExisting ? O_PATH : O_RDONLY;
        break;
    case ReadAccess:
        flags |= O_RDONLY;
        break;
    case WriteAccess:
        flags |= O_WRONLY;
        break;
    case ReadWriteAccess:
        flags |= O_RDWR;
        break;
    default:
        throw std::logic_error("invalid file access mode");
    }
    switch (creation) {
    case OpenExisting:
        break;
    case CreateNew:
        flags |= O_CREAT | O_EXCL;
        break;
    case CreateAlways:
        flags |= O_CREAT | O_TRUNC;
        break;
    default:
        throw std::logic_error("invalid create option");
    }
    Close();
    // Without O_NONBLOCK, opening a pipe waits for a writer (or a reader)
    // that may never come.
    do {
        fd_ = ::open(path.c_str(), flags | O_NONBLOCK, 0666);
    } while (fd_ < 0 && errno == EINTR);
    if (fd_ < 0) {
        return Fail(errno);
    }
    if (access == ReadAccess && !IsRegular()) {
        return Refuse(FileError(NotAFile, 0));
    }
    if (access != NoAccess || creation != OpenExisting) {
        const int status = ::fcntl(fd_, F_GETFL);
        if (status < 0 || ::fcntl(fd_, F_SETFL, status & ~O_NONBLOCK) != 0) {
            return Refuse(FileError::FromErrno(errno));
        }
    }
    return true;
}

bool File::IsRegular() const {
    struct stat info {};
    return ::fstat(fd_, &info) == 0 && S_ISREG(info.st_mode);
}

bool File::Refuse(FileError error) {
    ::close(fd_);
    fd_ = -1;
    error_ = std::move(error);
    return false;
}

bool File::OpenUnnamed(const std::string& folder) {
    Close();
    fd_ = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    return fd_ >= 0 || Fail(errno);
}

bool File::Fail(int err) {
    error_ = FileError::FromErrno(err);
    return false;
}

size_t File::Read(void* buffer, size_t count) {
    auto* out = static_cast<unsigned char*>(buffer);
    return Transfer(count, EndOfFile,
                    [&](size_t done, size_t step) { return ::read(fd_, out + done, step); });
}

size_t File::Write(const void* buffer, size_t count) {
    const auto* in = static_cast<const unsigned char*>(buffer);
    return Transfer(count, OtherError,
                    [&](size_t done, size_t step) { return ::write(fd_, in + done, step); });
}

template <typename Call> size_t File::Transfer(size_t count, Error stalled, Call call) {
    size_t done = 0;
    error_ = FileError();
    while (done < count) {
        const ssize_t moved = call(done, std::min(count - done, MaxTransfer));
        if (moved < 0 && errno == EINTR) {
            continue;
        }
        if (moved <= 0) {
            error_ = moved < 0 ? FileError::FromErrno(errno) : FileError(stalled, 0);
            break;
        }
        done += static_cast<size_t>(moved);
    }
    return done;
}

bool File::Sync() {
    error_ = FileError();
    return ::fsync(fd_) == 0 || Fail(errno);
}

size_t File::ReadAt(void* buffer, size_t count, uint64_t offset) {
    auto* out = static_cast<unsigned char*>(buffer);
    return Transfer(count, EndOfFile, [&](size_t done, size_t step) {
        return ::pread(fd_, out + done, step, static_cast<off_t>(offset + done));
    });
}

size_t File::WriteAt(const void* buffer, size_t count, uint64_t offset) {
    const auto* in = static_cast<const unsigned char*>(buffer);
    return Transfer(count, OtherError, [&](size_t done, size_t step) {
        return ::pwrite(fd_, in + done, step, static_cast<off_t>(offset + done));
    });
}

std::optional<uint64_t> File::Size() {
    struct stat info {};
    if (::fstat(fd_, &info) != 0) {
        Fail(errno);
        return std::nullopt;
    }
    return static_cast<uint64_t>(info.st_size);
}

std::optional<uint64_t> File::Remaining() const {
    struct stat info {};
    if (::fstat(fd_, &info) != 0 || !S_ISREG(info.st_mode)) {
        return std::nullopt;
    }
    const off_t at = ::lseek(fd_, 0, SEEK_CUR);
    if (at < 0) {
        return std::nullopt;
    }
    return info.st_size > at ? static_cast<uint64_t>(info.st_size - at) : 0;
}

bool File::Close() {
    bool ok = true;
    if (fd_ >= 0) {
        // Linux releases the descriptor even when close reports an error,
        // so it must not be retried.
        ok = ::close(fd_) == 0;
        fd_ = -1;
    }
    error_ = FileError();
    return ok || Fail(errno);
}

} // namespace vel::core
