#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace vel::lumo {

// Says how far a long run is, as "frame 10 of 300" or "lipsync: 12 %".
using ProgressText = std::function<std::string(std::uint64_t done, std::uint64_t total)>;

// Ctrl+C, a closed terminal or a stop request from now on end the run at the
// next look at its progress, instead of the program at once.
void StopOnSignals();

// Progress of a command-line run on standard error with the time left:
// rewritten in place on a terminal; otherwise a line at every tenth of the way
// and at least every two seconds, so that a log shows a long run moving and
// when it will end. Answers false once a signal asked to stop.
std::function<bool(std::uint64_t done, std::uint64_t total)> ReportProgress(ProgressText text);

} // namespace vel::lumo
