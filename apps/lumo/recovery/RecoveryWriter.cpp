#include "apps/lumo/recovery/RecoveryWriter.h"

#include <cerrno>
#include <new>

namespace vel::lumo {

RecoveryWriter::RecoveryWriter(const RecoveryStore& store, Done done)
    : store_(store), done_(std::move(done)) {}

RecoveryWriter::~RecoveryWriter() {
    Finish();
}

void RecoveryWriter::Write(std::string id, std::unique_ptr<const LumoDocument> document,
                           RecoveryRecord record, std::string replaces) {
    Queue({this, std::move(id), std::move(document), std::move(record), std::move(replaces)});
}

void RecoveryWriter::Remove(std::string id) {
    Queue({this, std::move(id), nullptr, {}, {}});
}

void RecoveryWriter::Queue(Job job) {
    // A newer copy of the same document makes a waiting one pointless.
    worker_.Post(std::move(job), [](const Job& newer, const Job& waiting) {
        return newer.document && waiting.document && newer.id == waiting.id;
    });
}

void RecoveryWriter::Finish() {
    worker_.WaitForAll();
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

void RecoveryWriter::Run(const Job& job) {
    if (job.document) {
        done_(job.id, WriteCopy(job));
    } else {
        store_.Remove(job.id);
    }
}

} // namespace vel::lumo
