#include "apps/lumo/shell/LumoCommandLine.h"

#include "apps/lumo/animate/AnimateList.h"

namespace vel::lumo {

LumoCommandLine::LumoCommandLine() {
    // The program path and the document are often absolute paths.
    slashIntroducesOptions = false;
    AddArgument(program);
    SetHelpOption(help);
    inOptionalArguments = 1;
    AddArgument(fileName);
}

bool LumoCommandLine::AnimateOption::ParseValue(const std::string& text) {
    if (!ParseAnimateList(text)) {
        return false;
    }
    value = text;
    return true;
}

bool LumoCommandLine::SizeOption::ParseValue(const std::string& text) {
    value = text;
    return !text.empty();
}

std::optional<CanvasSize> LumoCommandLine::SizeOption::Size() const {
    return value.empty() ? std::optional<CanvasSize>(VideoSize) : ParseVideoSize(value);
}

std::vector<std::string> LumoCommandLine::GetConflicts() const {
    std::vector<std::string> conflicts;
    if (!size.Size()) {
        conflicts.push_back("--size takes one of " + VideoSizeNames() + ", not '" + size.value +
                            "'");
    }
    if (animate.value.empty()) {
        if (!transcript.value.empty()) {
            conflicts.emplace_back("--transcript goes with --animate=lipsync");
        }
        return conflicts;
    }
    // The source document is never replaced by surprise.
    if (output.value.empty()) {
        conflicts.emplace_back("--animate needs --output=<file> to name the document it writes");
    }
    if (render) {
        conflicts.emplace_back("--animate and --render cannot be given together");
    }
    return conflicts;
}

} // namespace vel::lumo
