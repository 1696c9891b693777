#include "apps/lumo/shell/LatenessLog.h"

#include <QByteArray>
#include <QtGlobal>
#include <chrono>

namespace vel::lumo {

std::unique_ptr<LatenessLog> LatenessLog::FromEnvironment() {
    const QByteArray path = qgetenv("LUMO_SHOW_LATENESS");
    if (path.isEmpty()) {
        return nullptr;
    }
    std::FILE* file = std::fopen(path.constData(), "w");
    // Line by line, so that a show that is killed leaves what it logged.
    if (file != nullptr) {
        std::setvbuf(file, nullptr, _IOLBF, 0);
    }
    return file != nullptr ? std::unique_ptr<LatenessLog>(new LatenessLog(file)) : nullptr;
}

void LatenessLog::Painted(uint32_t frame, PacerClock::Duration lateness) {
    std::fprintf(file_.get(), "%u %.3f\n", frame,
                 std::chrono::duration<double, std::milli>(lateness).count());
}

} // namespace vel::lumo
