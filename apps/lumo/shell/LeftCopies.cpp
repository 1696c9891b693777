#include "apps/lumo/shell/LeftCopies.h"

#include "apps/lumo/shell/RecoveryStore.h"
#include "core/FileErrorText.h"

#include <algorithm>
#include <chrono>
#include <filesystem>

namespace vel::lumo {

namespace {

// A record that cannot be read still leaves the copy to be found; the time
// the record was written stands in for the one it holds.
LeftCopy Unrecorded(const RecoveryStore& store, const std::string& id) {
    LeftCopy copy{id, {}, nullptr, "its record cannot be read"};
    copy.record.document = store.CopyPath(id);
    std::error_code error;
    const auto written = std::filesystem::last_write_time(store.RecordPath(id), error);
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
        std::optional<RecoveryRecord> record = store.ReadRecord(id);
        if (!record) {
            copies.push_back(Unrecorded(store, id));
            continue;
        }
        if (record->owner.IsRunning()) {
            continue;
        }
        LeftCopy copy{id, std::move(*record), nullptr, {}};
        core::FileError error;
        copy.document = LumoDocument::Open(store.CopyPath(id), error);
        if (!copy.document) {
            copy.damage = core::FileErrorText(error, core::FileOperation::Reading);
        }
        copies.push_back(std::move(copy));
    }
    std::sort(copies.begin(), copies.end(),
              [](const LeftCopy& a, const LeftCopy& b) { return a.record.time > b.record.time; });
    return copies;
}

} // namespace vel::lumo
