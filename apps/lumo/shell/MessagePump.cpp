#include "apps/lumo/shell/MessagePump.h"

#include <QCoreApplication>
#include <QTimer>

namespace vel::lumo {

void PumpMessages(std::optional<std::chrono::nanoseconds> longest) {
    QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents;
    // A precise timer ends the wait: the events it lets through come at
    // once, and the frame after them on time.
    QTimer wake;
    if (!longest) {
        flags |= QEventLoop::WaitForMoreEvents;
    } else if (const auto whole = std::chrono::floor<std::chrono::milliseconds>(*longest);
               whole.count() > 0) {
        flags |= QEventLoop::WaitForMoreEvents;
        wake.setTimerType(Qt::PreciseTimer);
        wake.setSingleShot(true);
        wake.start(whole);
    }
    QCoreApplication::processEvents(flags);
    // Outside exec() nothing else deletes what asked to be deleted later.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace vel::lumo
