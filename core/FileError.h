#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace vel::core {

// Why an operation on a file failed: the program's code (a File::Error) and
// the system's error number behind it, 0 where the program found the fault
// itself (a file that ends too soon, a target that is not a regular file).
// Thrown where a failure cannot be answered by a result.
class FileError : public std::exception {
public:
    FileError() = default;
    FileError(uint32_t code, int system) : code_(code), system_(system) {}
    static FileError FromErrno(int err);

    const char* what() const noexcept override { return "a file operation failed"; }
    uint32_t Code() const { return code_; }
    int System() const { return system_; }

private:
    uint32_t code_ = 0;
    int system_ = 0;
};

} // namespace vel::core
