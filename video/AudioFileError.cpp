#include "video/AudioFileError.h"

#include <cstdio>

namespace vel::video {

namespace {

std::string MemoryText(std::uint64_t bytes) {
    char text[32];
    const auto size = static_cast<double>(bytes);
    if (size >= 1e9) {
        std::snprintf(text, sizeof text, "%.1f GB", size / 1e9);
    } else if (size >= 1e6) {
        std::snprintf(text, sizeof text, "%.0f MB", size / 1e6);
    } else {
        std::snprintf(text, sizeof text, "%.0f kB", size / 1e3);
    }
    return text;
}

} // namespace

AudioFileError AudioFileError::TooLarge(std::uint64_t clipBytes, std::uint64_t availableBytes) {
    return AudioFileError("its sound needs " + MemoryText(clipBytes) + " of memory, and only " +
                          MemoryText(availableBytes) + " are free");
}

} // namespace vel::video
