#pragma once

#include <memory>
#include <string>
#include <vector>

class QMessageBox;

namespace vel::core {
class CommandLine;
}

namespace vel::lumo {

// What the user is told when the command line asks for help or has errors: every error line,
// an empty line after them, then the usage text.
class UsageReport {
public:
    // moreErrors: problems found after parsing, such as options that do not go together.
    explicit UsageReport(const core::CommandLine& commandLine,
                         const std::vector<std::string>& moreErrors = {});

    const std::string& GetText() const { return text_; }
    bool HasErrors() const { return hasErrors_; }
    // 2 tells scripts that the command line was refused.
    int GetExitCode() const { return hasErrors_ ? 2 : 0; }

    std::unique_ptr<QMessageBox> CreateMessageBox() const;

private:
    std::string text_;
    bool hasErrors_ = false;
};

} // namespace vel::lumo
