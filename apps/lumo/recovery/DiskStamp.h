#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace vel::lumo {

// What a file on the disk looked like at one moment: enough to tell that
// another program has changed, replaced or removed it since.
struct DiskStamp {
    uint64_t device = 0;
    uint64_t inode = 0;
    int64_t size = 0;
    int64_t modifiedSeconds = 0;
    int64_t modifiedNanoseconds = 0;

    // Nothing when the file is not there.
    static std::optional<DiskStamp> Of(const std::string& path);
    bool operator==(const DiskStamp&) const = default;
};

} // namespace vel::lumo
