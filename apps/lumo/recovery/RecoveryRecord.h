#pragma once

#include "apps/lumo/recovery/ProcessIdentity.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vel::lumo {

// What is known of a recovery copy beside its contents: the document it was
// taken from, when, and by which run of the program.
struct RecoveryRecord {
    // The name shown for a document that was never saved.
    static constexpr const char* Untitled = "Untitled";

    // An absolute path, or Untitled.
    std::string document;
    // Seconds since the epoch.
    int64_t time = 0;
    ProcessIdentity owner;

    bool IsUntitled() const { return document == Untitled; }
    bool operator==(const RecoveryRecord&) const = default;
    // A few lines of text; the document comes last, after its length, so
    // that any path, line breaks included, comes back as it was.
    std::string ToText() const;
    // Nothing for text that is not a whole record.
    static std::optional<RecoveryRecord> Parse(const std::string& text);
};

} // namespace vel::lumo
