#pragma once

#include <iostream>
#include <string>

namespace vel::core {

// The program's name, which begins each line it writes about a failure.
inline constexpr const char* ProgramName = "lumo";

// The text of every message about a command that failed: what failed, the
// file on a line of its own where there is one, and after a blank line the
// reason, given in the user's words (lower case, without a full stop), as a
// sentence.
std::string FailureText(const std::string& headline, const std::string& file, std::string reason);

// A failed command-line run: one line "<program>: <file>: <reason>" on err,
// or "<program>: <reason>" where no file is at fault. Answers the exit code
// of a run that failed.
int Fail(const std::string& file, const std::string& reason, std::ostream& err = std::cerr,
         const std::string& program = ProgramName);

} // namespace vel::core
