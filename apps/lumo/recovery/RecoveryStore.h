#pragma once

#include "apps/lumo/recovery/RecoveryRecord.h"
#include "core/FileError.h"

#include <optional>
#include <string>
#include <vector>

namespace vel::lumo {

class LumoDocument;

// The folder of recovery copies: each copy is an ordinary document file
// "<id>.glw" with its record "<id>.record" beside it, readable by the user
// alone. Both are replaced whole, so a failed or interrupted write leaves the
// previous copy; the copy is written first, so an interrupted first write
// leaves a copy without a record, which is still found.
class RecoveryStore {
public:
    explicit RecoveryStore(std::string folder) : folder_(std::move(folder)) {}
    // $XDG_STATE_HOME/lumo/recovery, or ~/.local/state/lumo/recovery.
    static std::string DefaultFolder();

    const std::string& Folder() const { return folder_; }
    // Why the folder cannot hold copies (it is a link, not a folder, another
    // user's), or nothing when it can.
    std::optional<std::string> Fault() const;
    std::string CopyPath(const std::string& id) const;
    std::string RecordPath(const std::string& id) const;

    // Writes the copy, then its record; makes the folder when it is missing
    // and refuses one that has a fault. The sound goes to the disk from where
    // the document holds it, so a long clip is never held twice.
    core::FileError Write(const std::string& id, const LumoDocument& document,
                          const RecoveryRecord& record) const;
    void Remove(const std::string& id) const;
    // Gives another id's copy and record to id.
    bool Rename(const std::string& from, const std::string& to) const;

    // The ids that have a copy or a record, in no order.
    std::vector<std::string> Ids() const;
    // Nothing for a record that is missing, damaged or not a regular file of
    // a record's size.
    std::optional<RecoveryRecord> ReadRecord(const std::string& id) const;

private:
    std::string folder_;
};

} // namespace vel::lumo
