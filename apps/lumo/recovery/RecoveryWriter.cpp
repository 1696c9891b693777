#include "apps/lumo/recovery/RecoveryWriter.h"

#include <cerrno>
#include <new>

namespace vel::lumo {

RecoveryWriter::RecoveryWriter(const RecoveryStore& store, Done done)
    : store_(store), done_(std::move(done)), thread_([this] { Run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void RecoveryWriter::Write(std::string id, std::unique_ptr<const LumoDocument> document,
                           RecoveryRecord record, std::string replaces) {
    Queue({std::move(id), std::move(document), std::move(record), std::move(replaces)});
}

void RecoveryWriter::Remove(std::string id) {
    Queue({std::move(id), nullptr, {}, {}});
}

void RecoveryWriter::Queue(Job job) {
    {
        const std::lock_guard lock(mutex_);
        // A newer copy of the same document makes a waiting one pointless.
        if (!jobs_.empty() && jobs_.back().id == job.id && jobs_.back().document && job.document) {
            jobs_.back() = std::move(job);
        } else {
            jobs_.push_back(std::move(job));
        }
    }
    changed_.notify_all();
}

void RecoveryWriter::Finish() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return jobs_.empty() && !busy_; });
}

// Writing takes memory for the copy's chunks; where there is none left the
// copy fails as on a full disk, and the last good one stays.
core::FileError RecoveryWriter::WriteCopy(const Job& job) const {
    try {
        core::FileError error = store_.Write(job.id, *job.document, job.record);
        if (error.Code() == 0 && error.System() == 0 && !job.replaces.empty()) {
            store_.Remove(job.replaces);
        }
        return error;
    } catch (const std::bad_alloc&) {
        return core::FileError::FromErrno(ENOMEM);
    }
}

void RecoveryWriter::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
        if (jobs_.empty()) {
            return;
        }
        Job job = std::move(jobs_.front());
        jobs_.pop_front();
        busy_ = true;
        lock.unlock();
        if (job.document) {
            done_(job.id, WriteCopy(job));
        } else {
            store_.Remove(job.id);
        }
        lock.lock();
        busy_ = false;
        changed_.notify_all();
    }
}

} // namespace vel::lumo
