#pragma once

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/recovery/RecoveryStore.h"
#include "core/SerialWorker.h"

#include <functional>
#include <memory>

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
    // One write or removal, run on the writer's thread.
    struct Job {
        RecoveryWriter* writer;
        std::string id;
        // Nothing to write means remove.
        std::unique_ptr<const LumoDocument> document;
        RecoveryRecord record;
        std::string replaces;

        void operator()() const { writer->Run(*this); }
    };

    void Queue(Job job);
    core::FileError WriteCopy(const Job& job) const;
    void Run(const Job& job);

    const RecoveryStore& store_;
    Done done_;
    // Last, so that its thread ends before what its jobs use.
    core::SerialWorker<Job> worker_;
};

} // namespace vel::lumo
