#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace vel::video {

// Thrown when the video file cannot be made. Carries FFmpeg's error code
// (a negative AVERROR value) so that the message shown to the user can
// quote it together with FFmpeg's own text for it.
class XVideoWriter : public std::exception {
public:
    explicit XVideoWriter(int32_t code) : code_(code) {}

    const char* what() const noexcept override { return "writing the video failed"; }
    int32_t Code() const { return code_; }
    // FFmpeg's description of the code, e.g. "No such file or directory".
    std::string CodeText() const;

private:
    int32_t code_;
};

} // namespace vel::video
