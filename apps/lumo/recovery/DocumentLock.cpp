#include "apps/lumo/recovery/DocumentLock.h"

#include "apps/lumo/recovery/PrivateFolder.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace vel::lumo {

namespace {

// The same file under any of its names gives the same lock; FNV-1a keeps the
// name short whatever the path's length.
std::string LockName(const std::string& document) {
    std::error_code error;
    std::string path = std::filesystem::weakly_canonical(document, error).string();
    if (error) {
        path = document;
    }
    uint64_t hash = 14695981039346656037ull;
    for (const unsigned char c : path) {
        hash = (hash ^ c) * 1099511628211ull;
    }
    char name[32];
    std::snprintf(name, sizeof name, "%016llx.lock", static_cast<unsigned long long>(hash));
    return name;
}

// Byte 0 of the lock file is the claim, which every holder locks shared.
// Byte 1 is locked alone for the moment between looking at the claim and
// taking it, so two runs opening the document together cannot both find it
// free. Locks on the open file, not the process, so that each window of a run
// holds its own and a window that closes lets go of its own alone.
constexpr off_t ClaimByte = 0;
constexpr off_t GuardByte = 1;

bool SetLock(int descriptor, short type, off_t byte, int command) {
    struct flock lock {};
    lock.l_type = type;
    lock.l_whence = SEEK_SET;
    lock.l_start = byte;
    lock.l_len = 1;
    return ::fcntl(descriptor, command, &lock) == 0;
}

// Whether another open file holds the claim.
bool ClaimedElsewhere(int descriptor) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = ClaimByte;
    lock.l_len = 1;
    return ::fcntl(descriptor, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

} // namespace

DocumentLock::~DocumentLock() {
    ::close(descriptor_);
}

std::unique_ptr<DocumentLock> DocumentLock::Take(const std::string& folder,
                                                 const std::string& document, Outcome& outcome) {
    return Claim(folder, document, false, outcome);
}

std::unique_ptr<DocumentLock> DocumentLock::Share(const std::string& folder,
                                                  const std::string& document) {
    Outcome outcome = Outcome::Failed;
    return Claim(folder, document, true, outcome);
}

std::unique_ptr<DocumentLock> DocumentLock::Claim(const std::string& folder,
                                                  const std::string& document, bool shared,
                                                  Outcome& outcome) {
    outcome = Outcome::Failed;
    if (MakePrivateFolder(folder)) {
        return nullptr;
    }
    std::string name = LockName(document);
    const std::string path = folder + "/" + name;
    // Lock files are never removed: removing one while another run opens it
    // could leave two runs each holding a lock of its own. A link in their
    // place is never followed.
    const int descriptor = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        return nullptr;
    }
    if (!SetLock(descriptor, F_WRLCK, GuardByte, F_OFD_SETLKW)) {
        ::close(descriptor);
        return nullptr;
    }
    if (!shared && ClaimedElsewhere(descriptor)) {
        outcome = Outcome::HeldElsewhere;
    } else if (SetLock(descriptor, F_RDLCK, ClaimByte, F_OFD_SETLK)) {
        outcome = Outcome::Taken;
    }
    if (outcome != Outcome::Taken) {
        // Closing the file lets go of the guard too.
        ::close(descriptor);
        return nullptr;
    }
    SetLock(descriptor, F_UNLCK, GuardByte, F_OFD_SETLK);
    return std::unique_ptr<DocumentLock>(new DocumentLock(descriptor, std::move(name)));
}

bool DocumentLock::Covers(const std::string& document) const {
    return name_ == LockName(document);
}

} // namespace vel::lumo
