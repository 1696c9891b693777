#include "apps/lumo/shell/LiveLatencyLog.h"

#include <QByteArray>
#include <QtGlobal>

namespace vel::lumo {

std::unique_ptr<LiveLatencyLog> LiveLatencyLog::FromEnvironment() {
    const QByteArray path = qgetenv("LUMO_LIVE_LATENCY");
    if (path.isEmpty()) {
        return nullptr;
    }
    // Appended to, since the microphone and the show each write their lines;
    // line by line, so that a show that is killed leaves what it logged.
    std::FILE* file = std::fopen(path.constData(), "a");
    if (file != nullptr) {
        std::setvbuf(file, nullptr, _IOLBF, 0);
    }
    return file != nullptr ? std::unique_ptr<LiveLatencyLog>(new LiveLatencyLog(file)) : nullptr;
}

void LiveLatencyLog::Heard(float open, Clock::time_point analysisStart) {
    Line("heard", open, analysisStart);
}

void LiveLatencyLog::Drawn(float open, Clock::time_point paintStart) {
    Line("drawn", open, paintStart);
}

void LiveLatencyLog::Line(const char* what, float open, Clock::time_point start) {
    const Clock::time_point now = Clock::now();
    std::fprintf(file_.get(), "%s %.6f %.3f %.3f\n", what,
                 std::chrono::duration<double>(now.time_since_epoch()).count(), open,
                 std::chrono::duration<double, std::milli>(now - start).count());
}

} // namespace vel::lumo
