#pragma once

#include "apps/lumo/shell/PacerClock.h"

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

namespace vel::lumo {

// For the benchmark of the show: one line per frame painted, its number and
// how long after its deadline the paint ended, in milliseconds, written to
// the file that LUMO_SHOW_LATENESS names.
class LatenessLog {
public:
    // None when the variable is not set or its file cannot be written.
    static std::unique_ptr<LatenessLog> FromEnvironment();

    void Painted(uint32_t frame, PacerClock::Duration lateness);

private:
    struct Closer {
        void operator()(std::FILE* file) const { std::fclose(file); }
    };
    explicit LatenessLog(std::FILE* file) : file_(file) {}

    std::unique_ptr<std::FILE, Closer> file_;
};

} // namespace vel::lumo
