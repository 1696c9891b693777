#include "core/FailureMessage.h"

#include <cctype>

namespace vel::core {

namespace {

constexpr int FailedRun = 1;

} // namespace

std::string FailureText(const std::string& headline, const std::string& file, std::string reason) {
    std::string text = headline;
    if (!file.empty()) {
        text += "\n" + file;
    }
    if (!reason.empty()) {
        reason.front() =
            static_cast<char>(std::toupper(static_cast<unsigned char>(reason.front())));
    }
    return text + "\n\n" + reason + ".";
}

int Fail(const std::string& file, const std::string& reason, std::ostream& err,
         const std::string& program) {
    err << program << ": ";
    if (!file.empty()) {
        err << file << ": ";
    }
    err << reason << "\n" << std::flush;
    return FailedRun;
}

} // namespace vel::core
