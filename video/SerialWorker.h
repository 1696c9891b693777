#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace vel::video {

// Runs jobs one after another, in the order they were posted, on a thread of
// its own, so that the poster can prepare the next job while the last runs.
// Jobs must not throw.
class SerialWorker {
public:
    // Counts the jobs posted: the n-th job posted has ticket n.
    using Ticket = uint64_t;

    SerialWorker();
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;
    // Lets the running job end and drops the jobs not started yet.
    ~SerialWorker();

    Ticket Post(std::function<void()> job);
    // Returns once the job of ticket, and so every job before it, has run.
    void WaitFor(Ticket ticket);
    void WaitForAll();

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::function<void()>> jobs_;
    Ticket posted_ = 0;
    Ticket done_ = 0;
    bool stopping_ = false;
    // Last, so that it starts once the rest is made.
    std::thread thread_;
};

} // namespace vel::video
