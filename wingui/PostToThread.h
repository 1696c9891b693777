#pragma once

#include <functional>

class QObject;

namespace vel::wingui {

// The one way a worker's result reaches the window's thread: runs call on the
// thread of context once its event loop gets to it, in the order posted. A
// call still waiting when context is destroyed is dropped. Safe from any
// thread while context lives.
void PostToThread(QObject* context, std::function<void()> call);

} // namespace vel::wingui
