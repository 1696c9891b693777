#include "apps/lumo/recovery/RecoveryLeftCopies.h"

#include "apps/lumo/recovery/RecoveryStore.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

namespace vel::lumo {

namespace {

constexpr std::chrono::seconds OldAge = std::chrono::days(30);

bool Exists(const std::string& path) {
    std::error_code error;
    return std::filesystem::symlink_status(path, error).type() !=
           std::filesystem::file_type::not_found;
}

// A copy whose record cannot be read is still offered; the time the copy was
// written stands in for the one the record would hold.
LeftCopy Unrecorded(const RecoveryStore& store, const std::string& id) {
    LeftCopy copy{id, {}, true, {}, false};
    copy.record.document = RecoveryRecord::Untitled;
    std::error_code error;
    const auto written = std::filesystem::last_write_time(store.CopyPath(id), error);
    if (!error) {
        copy.record.time = std::chrono::duration_cast<std::chrono::seconds>(
                               std::chrono::file_clock::to_sys(written).time_since_epoch())
                               .count();
    }
    return copy;
}

} // namespace

std::vector<LeftCopy> FindLeftCopies(const RecoveryStore& store) {
    std::vector<LeftCopy> copies;
    for (const std::string& id : store.Ids()) {
        const bool hasCopy = Exists(store.CopyPath(id));
        std::optional<RecoveryRecord> record = store.ReadRecord(id);
        if (!record) {
            if (hasCopy) {
                copies.push_back(Unrecorded(store, id));
            }
            continue;
        }
        if (record->owner.IsRunning()) {
            continue;
        }
        if (!hasCopy) {
            store.Remove(id);
            continue;
        }
        copies.push_back({id, std::move(*record), false, {}, false});
    }
    const int64_t oldest = std::time(nullptr) - OldAge.count();
    for (LeftCopy& copy : copies) {
        copy.old = copy.record.time < oldest;
    }
    std::sort(copies.begin(), copies.end(),
              [](const LeftCopy& a, const LeftCopy& b) { return a.record.time > b.record.time; });
    return copies;
}

} // namespace vel::lumo
