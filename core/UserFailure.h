#pragma once

#include "core/FileErrorText.h"

#include <exception>
#include <stdexcept>
#include <string>

namespace vel::core {

// Thrown by the program's own code where a command of the user's cannot go
// on. Its text is the reason in the user's words, lower case and without a
// full stop ("the sound could not be analysed"); the detail, where there is
// one, says what happened inside for standard error.
class UserFailure : public std::runtime_error {
public:
    explicit UserFailure(const std::string& reason, const std::string& detail = {})
        : std::runtime_error(reason), detail_(detail) {}

    const char* Detail() const noexcept { return detail_.what(); }

private:
    // A standard exception keeps its text without throwing when copied.
    std::runtime_error detail_;
};

// Why a command ended, in the user's words, from what it threw: a
// UserFailure's reason, a file error's text for the operation, or a lack of
// memory. Anything else is a fault of the program and reads as an internal
// error. What the user is not shown (a detail, the text of an unexpected
// exception) goes to standard error. Rethrows what is not a standard
// exception.
std::string FailureReason(const std::exception_ptr& failure,
                          FileOperation operation = FileOperation::Reading);

// One line on standard error for what the user is not shown: "lumo: " and
// the text.
void ReportToStandardError(const std::string& text);

} // namespace vel::core
