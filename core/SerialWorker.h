#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <mutex>
#include <thread>

namespace vel::core {

// Runs jobs one after another, in the order they were posted, on a thread of
// its own, so that the poster never waits for the work and can prepare the
// next job while the last runs. A Job is anything that can be moved and
// called without arguments, a document it owns included; jobs must not throw.
template <typename Job> class SerialWorker {
public:
    // Counts the jobs posted: the n-th job posted has ticket n.
    using Ticket = uint64_t;

    SerialWorker() : thread_([this] { Run(); }) {}
    SerialWorker(const SerialWorker&) = delete;
    SerialWorker& operator=(const SerialWorker&) = delete;
    // Lets the running job end and drops the jobs not started yet, so that a
    // failed or cancelled piece of work ends at once; a poster that needs
    // them done waits for them first.
    ~SerialWorker() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
            jobs_.clear();
        }
        changed_.notify_all();
        thread_.join();
    }

    Ticket Post(Job job) {
        return Post(std::move(job), [](const Job&, const Job&) { return false; });
    }
    // The same, but when the job posted last is still waiting and
    // supersedes(job, waiting) answers true, job takes its place and its
    // ticket: a newer job that makes a waiting one pointless replaces it,
    // and nothing posted in between can be overtaken.
    template <typename Supersedes> Ticket Post(Job job, Supersedes supersedes) {
        Ticket ticket;
        {
            const std::lock_guard lock(mutex_);
            if (!jobs_.empty() && supersedes(job, jobs_.back())) {
                jobs_.back() = std::move(job);
            } else {
                jobs_.push_back(std::move(job));
                ++posted_;
            }
            ticket = posted_;
        }
        changed_.notify_all();
        return ticket;
    }

    // Returns once the job of ticket, and so every job before it, has run.
    void WaitFor(Ticket ticket) {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_ >= ticket; });
    }
    void WaitForAll() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [&] { return done_ >= posted_; });
    }

private:
    void Run() {
        std::unique_lock lock(mutex_);
        for (;;) {
            changed_.wait(lock, [&] { return stopping_ || !jobs_.empty(); });
            if (stopping_) {
                return;
            }
            {
                Job job = std::move(jobs_.front());
                jobs_.pop_front();
                lock.unlock();
                job();
                // What the job holds goes before the posters are held up again.
            }
            lock.lock();
            ++done_;
            changed_.notify_all();
        }
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    Ticket posted_ = 0;
    Ticket done_ = 0;
    bool stopping_ = false;
    // Last, so that it starts once the rest is made.
    std::thread thread_;
};

} // namespace vel::core
