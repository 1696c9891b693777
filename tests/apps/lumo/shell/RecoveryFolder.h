#pragma once

#include "tests/support/TempFolder.h"

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace vel::lumo::test {

// Sends the recovery copies of the windows made while it lives to a folder of
// its own, and the ones made after it back where they went before.
class RecoveryFolder {
public:
    RecoveryFolder() {
        if (const char* previous = std::getenv("XDG_STATE_HOME")) {
            previous_ = previous;
        }
        ::setenv("XDG_STATE_HOME", state_.Path().c_str(), 1);
    }
    ~RecoveryFolder() {
        if (previous_) {
            ::setenv("XDG_STATE_HOME", previous_->c_str(), 1);
        } else {
            ::unsetenv("XDG_STATE_HOME");
        }
    }
    RecoveryFolder(const RecoveryFolder&) = delete;
    RecoveryFolder& operator=(const RecoveryFolder&) = delete;

    std::string Folder() const { return state_ / "lumo/recovery"; }
    // The copies and records in the folder, the locks of open files aside.
    size_t FileCount() const {
        std::error_code error;
        size_t count = 0;
        for (auto entry = std::filesystem::directory_iterator(Folder(), error);
             entry != std::filesystem::directory_iterator(); entry.increment(error)) {
            count += entry->path().extension() != ".lock";
        }
        return count;
    }

protected:
    testing::TempFolder state_;

private:
    std::optional<std::string> previous_;
};

} // namespace vel::lumo::test
