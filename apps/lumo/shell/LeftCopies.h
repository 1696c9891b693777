#pragma once

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/shell/RecoveryRecord.h"

#include <memory>
#include <string>
#include <vector>

namespace vel::lumo {

class RecoveryStore;

// A recovery copy whose program is gone, loaded and ready to be offered.
struct LeftCopy {
    std::string id;
    RecoveryRecord record;
    // Null for a damaged copy, which is offered to be discarded, never lost.
    std::unique_ptr<LumoDocument> document;
    // Why a damaged copy cannot be opened.
    std::string damage;
};

// The copies left by runs of the program that ended without removing them,
// newest first. Copies of a program still running belong to it and are left
// alone.
std::vector<LeftCopy> FindLeftCopies(const RecoveryStore& store);

} // namespace vel::lumo
