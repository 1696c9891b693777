#include "apps/lumo/shell/LumoCommandLine.h"

#include "apps/lumo/animate/AnimateList.h"
#include "apps/lumo/animate/PhonemeRecogniser.h"

#include <charconv>

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

bool LumoCommandLine::LanguageOption::ParseValue(const std::string& text) {
    value = text;
    return text == "english" || text == "any";
}

bool LumoCommandLine::SizeOption::ParseValue(const std::string& text) {
    value = text;
    return !text.empty();
}

std::optional<CanvasSize> LumoCommandLine::SizeOption::Size() const {
    return value.empty() ? std::optional<CanvasSize>(VideoSize) : ParseVideoSize(value);
}

bool LumoCommandLine::ScreenOption::ParseValue(const std::string& text) {
    value = text;
    if (Number() > 0) {
        return true;
    }
    value.clear();
    return false;
}

uint32_t LumoCommandLine::ScreenOption::Number() const {
    uint32_t number = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
    return error == std::errc() && end == value.data() + value.size() ? number : 0;
}

LipSyncSettings LumoCommandLine::LipSync() const {
    LipSyncSettings settings;
    settings.useRecogniser = !language.Any();
    settings.transcript = transcript.value;
    return settings;
}

std::vector<std::string> LumoCommandLine::GetConflicts() const {
    std::vector<std::string> conflicts;
    if (!size.Size()) {
        conflicts.push_back("--size takes one of " + VideoSizeNames() + ", not '" + size.value +
                            "'");
    }
    if (!screen.value.empty() && !show) {
        conflicts.emplace_back("--screen goes with --show");
    }
    if (show && (render || !animate.value.empty())) {
        conflicts.emplace_back("--show cannot be given with --render or --animate");
    }
    if (animate.value.empty()) {
        if (!transcript.value.empty()) {
            conflicts.emplace_back("--transcript goes with --animate=lipsync");
        }
        if (!language.value.empty()) {
            conflicts.emplace_back("--language goes with --animate=lipsync");
        }
        return conflicts;
    }
    // The words are matched to English phonemes only.
    if (language.Any() && !transcript.value.empty()) {
        conflicts.emplace_back(
            "--transcript is read as English: it does not go with --language=any");
    }
    if (HoldsNoWord(transcript.value)) {
        conflicts.emplace_back("--transcript holds no word: give the words the voice says");
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
