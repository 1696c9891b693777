#pragma once

#include <memory>
#include <string>

namespace vel::lumo {

// Marks a document file as open in this run of the program, so that another
// run opening it can warn: a shared advisory lock on a small file named after
// the document's path, in the folder of the recovery copies. Every window
// that has the document open for writing holds it, so the warning lasts as
// long as any of them does. The system lets go of it when the process ends,
// however it ends, so no run is ever kept out by one that crashed.
class DocumentLock {
public:
    enum class Outcome { Taken, HeldElsewhere, Failed };

    ~DocumentLock();
    DocumentLock(const DocumentLock&) = delete;
    DocumentLock& operator=(const DocumentLock&) = delete;

    // The lock on the document, or null with the reason in outcome: another
    // run holds it, or the lock file could not be made (then nobody can tell).
    static std::unique_ptr<DocumentLock> Take(const std::string& folder,
                                              const std::string& document, Outcome& outcome);
    // The lock on the document beside whoever else holds it, for a window
    // that opens the document anyway; null when the lock file could not be made.
    static std::unique_ptr<DocumentLock> Share(const std::string& folder,
                                               const std::string& document);
    // Whether this is the lock of that document, under whatever name.
    bool Covers(const std::string& document) const;

private:
    static std::unique_ptr<DocumentLock>
    Claim(const std::string& folder, const std::string& document, bool shared, Outcome& outcome);

    DocumentLock(int descriptor, std::string name)
        : descriptor_(descriptor), name_(std::move(name)) {}

    int descriptor_;
    std::string name_;
};

} // namespace vel::lumo
