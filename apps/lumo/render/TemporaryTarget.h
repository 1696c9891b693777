#pragma once

#include <string>

namespace vel::lumo {

// A fresh file beside the target that is renamed over it only when the
// work is done, so that a failed or cancelled export neither damages an
// existing file of that name nor leaves a partial one behind.
class TemporaryTarget {
public:
    // Creates the temporary file; throws video::XVideoWriter with the
    // system's error when the folder cannot take it.
    explicit TemporaryTarget(const std::string& target);
    TemporaryTarget(const TemporaryTarget&) = delete;
    TemporaryTarget& operator=(const TemporaryTarget&) = delete;
    // Removes the temporary file unless it was committed.
    ~TemporaryTarget();

    const std::string& Path() const { return temp_; }
    // Puts the temporary file in the target's place, with the permissions
    // of the file it replaces; throws video::XVideoWriter on failure.
    void Commit();

private:
    std::string target_;
    std::string temp_;
    bool committed_ = false;
};

} // namespace vel::lumo
