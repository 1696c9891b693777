#pragma once

#include <csignal>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <sys/resource.h>

namespace vel::testing {

inline std::string ReadWhole(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteWhole(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Runs the action with files limited to the given size, the way a full or
// limited file system refuses writes, and restores the limit afterwards.
inline bool WithFileSizeLimit(rlim_t bytes, const std::function<bool()>& action) {
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit limited = saved;
    limited.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const bool result = action();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previous);
    return result;
}

} // namespace vel::testing
