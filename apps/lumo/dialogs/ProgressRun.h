#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <functional>

class QWidget;

namespace vel::lumo {

// Long work that counts what it has done: it tells its progress through the
// callback, on its own thread, and stops early when the callback answers
// false.
using ProgressCallback = std::function<bool(std::uint64_t done, std::uint64_t total)>;
using ProgressJob = std::function<void(const ProgressCallback& progress)>;

// Runs job on a thread of its own while the window's thread waits for it
// without taking the user's input. Once the job outlasts showAfter, a
// progress dialog with the title shows how far it has come, and its Cancel
// asks the job to stop. Answers false when the user asked it to stop;
// rethrows what the job threw.
bool RunWithProgress(QWidget* owner, const QString& title, std::chrono::milliseconds showAfter,
                     const ProgressJob& job);

} // namespace vel::lumo
