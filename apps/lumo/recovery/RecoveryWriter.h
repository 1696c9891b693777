#pragma once

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/recovery/RecoveryStore.h"

#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

namespace vel::lumo {

// Writes and removes recovery copies on a thread of its own, in the order
// they were asked for, so that the window never waits for the disk and a
// removal can never be overtaken by an older write.
class RecoveryWriter {
public:
    // Called on the writer's thread after each write with the copy's id and
    // the outcome (code 0 for success).
    using Done = std::function<void(const std::string& id, const core::FileError& error)>;

    RecoveryWriter(const RecoveryStore& store, Done done);
    // Finishes what was asked for, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    // document: a copy the writer alone holds, made on the caller's thread. A
    // copy named in replaces, whose work this one holds, is removed once this
    // one is on the disk, and kept when it cannot be written.
    void Write(std::string id, std::unique_ptr<const LumoDocument> document, RecoveryRecord record,
               std::string replaces = {});
    void Remove(std::string id);
    // Waits until everything asked for so far is done.
    void Finish();

private:
    struct Job {
        std::string id;
        // Nothing to write means remove.
        std::unique_ptr<const LumoDocument> document;
        RecoveryRecord record;
        std::string replaces;
    };

    void Queue(Job job);
    core::FileError WriteCopy(const Job& job) const;
    void Run();

    const RecoveryStore& store_;
    Done done_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<Job> jobs_;
    bool busy_ = false;
    bool ending_ = false;
    std::thread thread_;
};

} // namespace vel::lumo
