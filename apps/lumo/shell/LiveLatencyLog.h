#pragma once

#include <chrono>
#include <cstdio>
#include <memory>

namespace vel::lumo {

// For the benchmark of live voice: a line each time the microphone moves the
// mouth ("heard TIME OPEN ANALYSIS") and each time the show paints a live
// mouth ("drawn TIME OPEN PAINT"), in seconds on the steady clock (the
// system's monotonic one), the analysis and the paint in milliseconds,
// written to the file that LUMO_LIVE_LATENCY names.
class LiveLatencyLog {
public:
    using Clock = std::chrono::steady_clock;

    // None when the variable is not set or its file cannot be written.
    static std::unique_ptr<LiveLatencyLog> FromEnvironment();

    void Heard(float open, Clock::time_point analysisStart);
    void Drawn(float open, Clock::time_point paintStart);

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    explicit LiveLatencyLog(std::FILE* file) : file_(file) {}
    void Line(const char* what, float open, Clock::time_point start);

    std::unique_ptr<std::FILE, Closer> file_;
};

} // namespace vel::lumo
