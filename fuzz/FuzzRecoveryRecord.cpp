// What a run that ended unexpectedly left as a copy's record: whatever parses
// is written again to text that parses to the same record, and the folder's
// reader offers the copy beside any record, unless its owner still runs.
#include "apps/lumo/recovery/RecoveryLeftCopies.h"
#include "apps/lumo/recovery/RecoveryStore.h"
#include "tests/support/TempFolder.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

using vel::lumo::LeftCopy;
using vel::lumo::RecoveryRecord;

constexpr const char* Id = "left";

[[noreturn]] void Fail(const char* what) {
    std::fputs(what, stderr);
    std::fputc('\n', stderr);
    std::abort();
}

// A folder of the fuzzer's own, holding one copy whose record each input
// replaces; removed when the fuzzer ends.
class LeftCopyFolder {
public:
    LeftCopyFolder() { std::ofstream(store_.CopyPath(Id)) << "read only when recovered"; }

    void Leave(const std::string& record) const {
        std::ofstream(store_.RecordPath(Id), std::ios::binary | std::ios::trunc) << record;
    }
    const vel::lumo::RecoveryStore& Store() const { return store_; }

private:
    vel::testing::TempFolder folder_;
    vel::lumo::RecoveryStore store_{folder_.Path()};
};

void CheckRoundTrip(const RecoveryRecord& record) {
    if (RecoveryRecord::Parse(record.ToText()) != record) {
        Fail("a record written again did not parse to the same record");
    }
}

void CheckOffered(const std::optional<RecoveryRecord>& record,
                  const std::vector<LeftCopy>& copies) {
    if (record && record->owner.IsRunning()) {
        if (!copies.empty()) {
            Fail("the copy of a running program was offered");
        }
        return;
    }
    if (copies.size() != 1 || copies[0].unrecorded == record.has_value()) {
        Fail("the left copy was not offered as its record says");
    }
    if (record && copies[0].record != *record) {
        Fail("the left copy was offered with another record than the one left");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const LeftCopyFolder folder;
    const std::string text(reinterpret_cast<const char*>(data), size);
    const std::optional<RecoveryRecord> record = RecoveryRecord::Parse(text);
    if (record) {
        CheckRoundTrip(*record);
    }
    folder.Leave(text);
    CheckOffered(record, vel::lumo::FindLeftCopies(folder.Store()));
    return 0;
}
