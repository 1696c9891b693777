#include "video/SerialWorker.h"

namespace vel::video {

SerialWorker::SerialWorker() : thread_([this] { Run(); }) {}

SerialWorker::~SerialWorker() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
        jobs_.clear();
    }
    changed_.notify_all();
    thread_.join();
}

SerialWorker::Ticket SerialWorker::Post(std::function<void()> job) {
    Ticket ticket;
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
        ticket = ++posted_;
    }
    changed_.notify_all();
    return ticket;
}

void SerialWorker::WaitFor(Ticket ticket) {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_ >= ticket; });
}

void SerialWorker::WaitForAll() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [&] { return done_ >= posted_; });
}

void SerialWorker::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
        if (stopping_) {
            return;
        }
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        lock.unlock();
        job();
        lock.lock();
        ++done_;
        changed_.notify_all();
    }
}

} // namespace vel::video
