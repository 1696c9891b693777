#pragma once

#include "apps/lumo/recovery/RecoveryRecord.h"

#include <string>
#include <vector>

namespace vel::lumo {

class RecoveryStore;

// A recovery copy whose program is gone, as its record describes it: the
// copy itself is read only when the user recovers it.
struct LeftCopy {
    std::string id;
    RecoveryRecord record;
    // Whether the record could not be read: the copy is then offered as
    // untitled work from the time the copy was written.
    bool unrecorded = false;
    // Why the copy cannot be opened, once recovering it failed; it is then
    // offered to be discarded, never lost.
    std::string damage;
    // Whether the copy is older than a month, and so likely forgotten.
    bool old = false;
};

// The copies left by runs of the program that ended without removing them,
// newest first. Copies of a program still running belong to it and are left
// alone; a record whose copy is gone holds no work and is removed.
std::vector<LeftCopy> FindLeftCopies(const RecoveryStore& store);

} // namespace vel::lumo
