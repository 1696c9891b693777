#include "apps/lumo/shell/DocumentLock.h"

#include "apps/lumo/shell/PrivateFolder.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
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

} // namespace

DocumentLock::~DocumentLock() {
    ::close(descriptor_);
}

std::unique_ptr<DocumentLock> DocumentLock::Take(const std::string& folder,
                                                 const std::string& document, Outcome& outcome) {
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
    if (::flock(descriptor, LOCK_EX | LOCK_NB) != 0) {
        outcome = errno == EWOULDBLOCK ? Outcome::HeldElsewhere : Outcome::Failed;
        ::close(descriptor);
        return nullptr;
    }
    outcome = Outcome::Taken;
    return std::unique_ptr<DocumentLock>(new DocumentLock(descriptor, std::move(name)));
}

bool DocumentLock::Covers(const std::string& document) const {
    return name_ == LockName(document);
}

} // namespace vel::lumo
