#include "wingui/PostToThread.h"

#include <QObject>
#include <mutex>
#include <utility>

namespace vel::wingui {

namespace {

// Qt's event queue hands the call over under a lock of its own, which race
// checkers cannot see in a Qt not built for them. Making the call under this
// lock too, and taking it again before running it, shows them the hand-over.
std::mutex handOver;

} // namespace

void PostToThread(QObject* context, std::function<void()> call) {
    const std::lock_guard posting(handOver);
    QMetaObject::invokeMethod(
        context,
        [call = std::move(call)] {
            { const std::lock_guard arrived(handOver); }
            call();
        },
        Qt::QueuedConnection);
}

} // namespace vel::wingui
