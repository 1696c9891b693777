#include "apps/lumo/shell/CommandProgress.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace vel::lumo {

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) {
    interrupted = 1;
}

// "about M:SS left" from the pace so far.
std::string TimeLeft(std::chrono::steady_clock::duration elapsed, std::uint64_t done,
                     std::uint64_t total) {
    // Before the first frame (a looped export encodes its run first) there
    // is no pace yet.
    if (done == 0) {
        return "time left not known yet";
    }
    const double seconds = std::chrono::duration<double>(elapsed).count() /
                           static_cast<double>(done) * static_cast<double>(total - done);
    const auto whole = static_cast<unsigned long long>(std::llround(std::min(seconds, 1e15)));
    char text[64];
    std::snprintf(text, sizeof text, "about %llu:%02llu left", whole / 60, whole % 60);
    return text;
}

} // namespace

void StopOnSignals() {
    for (const int signal : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
        std::signal(signal, OnInterrupt);
    }
}

std::function<bool(std::uint64_t done, std::uint64_t total)> ReportProgress(ProgressText text) {
    using Clock = std::chrono::steady_clock;
    const bool terminal = isatty(STDERR_FILENO) != 0;
    const Clock::time_point start = Clock::now();
    return [terminal, start, text = std::move(text), shown = std::uint64_t{0},
            shownAt = start](std::uint64_t done, std::uint64_t total) mutable {
        const Clock::time_point now = Clock::now();
        const bool due = done == total || done * 10 / total != shown * 10 / total ||
                         now - shownAt >= std::chrono::seconds(2);
        if (terminal || due) {
            std::fprintf(stderr, "%s%s, %s%s", terminal ? "\r" : "", text(done, total).c_str(),
                         TimeLeft(now - start, done, total).c_str(),
                         terminal && done != total ? "  " : "\n");
            shown = done;
            shownAt = now;
        }
        return interrupted == 0;
    };
}

} // namespace vel::lumo
