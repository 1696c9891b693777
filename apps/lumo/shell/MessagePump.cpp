#include "apps/lumo/shell/MessagePump.h"

#include <QCoreApplication>

namespace vel::lumo {

void PumpMessages(bool playing) {
    QCoreApplication::processEvents(
        playing ? QEventLoop::AllEvents : QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    // Outside exec() nothing else deletes what asked to be deleted later.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace vel::lumo
