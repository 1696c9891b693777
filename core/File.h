#pragma once

#include "core/FileError.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace vel::core {

// An open file and the last error of an operation on it. Moves at most
// 8 MiB per system call. Paths are UTF-8.
class File {
public:
    enum Access : uint32_t { NoAccess = 0, ReadAccess = 1, WriteAccess = 2, ReadWriteAccess = 3 };
    enum Creation : uint32_t { OpenExisting = 0, CreateNew = 1, CreateAlways = 2 };
    enum Error : uint32_t {
        NoError = 0,
        NotFound = 1,
        AccessDenied = 2,
        WriteProtected = 3,
        InUse = 4,
        EndOfFile = 5,
        OtherError = 6,
        // The path names something other than a regular file (a device, a
        // pipe, a socket), which the program never replaces.
        NotAFile = 7,
    };

    static constexpr size_t MaxTransfer = 0x800000;

    File() = default;
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    File(File&& other) noexcept;
    File& operator=(File&& other) noexcept;
    ~File();

    // Throws std::logic_error for an access mode or create option outside
    // the enums; a refusal by the system leaves the file closed and sets
    // the error code. No open waits: a pipe without a writer fails or opens
    // at once, and opening for reading only accepts a regular file
    // (NotAFile otherwise), so a pipe or device never stalls a load.
    bool Open(const std::string& path, uint32_t access, uint32_t creation);
    // Creates a file without a name in the folder, open for reading and
    // writing; it vanishes when closed unless it is given a name first.
    // Fails where the file system cannot make such files.
    bool OpenUnnamed(const std::string& folder);
    size_t Read(void* buffer, size_t count);
    size_t Write(const void* buffer, size_t count);
    // Forces written data to the disk.
    bool Sync();
    // Read and Write at a byte offset, leaving the position where it was.
    size_t ReadAt(void* buffer, size_t count, uint64_t offset);
    size_t WriteAt(const void* buffer, size_t count, uint64_t offset);
    // The size of the open file, or nothing when the system cannot tell.
    std::optional<uint64_t> Size();
    // Bytes between the current position and the end of a regular file;
    // nothing when the file has no known size (a pipe, a device).
    std::optional<uint64_t> Remaining() const;
    // Returns false when the system reported a failure on closing, which
    // for written files can mean lost data.
    bool Close();

    bool IsOpen() const { return fd_ >= 0; }
    uint32_t GetError() const { return error_.Code(); }
    const FileError& Failure() const { return error_; }
    int Descriptor() const { return fd_; }

    static uint32_t ErrorFromErrno(int err);

private:
    // Repeats a system call of at most MaxTransfer bytes until count bytes
    // moved; a call that moves nothing sets the stalled code.
    template <typename Call> size_t Transfer(size_t count, Error stalled, Call call);

    bool Fail(int err);
    bool IsRegular() const;
    // Closes the descriptor just opened and answers false with the error.
    bool Refuse(FileError error);

    int fd_ = -1;
    FileError error_;
};

} // namespace vel::core
