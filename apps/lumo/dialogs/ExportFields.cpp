#include "apps/lumo/dialogs/ExportFields.h"

#include "apps/lumo/model/Timecode.h"
#include "apps/lumo/render/ExportOptions.h"
#include "wingui/NativePath.h"

#include <filesystem>
#include <limits>

namespace vel::lumo {

FileNameField::FileNameField(const std::string& initial, const std::string& defaultExtension,
                             std::string defaultFolder)
    : defaultExtension_(defaultExtension.empty() || defaultExtension.front() == '.'
                            ? defaultExtension
                            : "." + defaultExtension),
      defaultFolder_(std::move(defaultFolder)) {
    FromText(initial);
}

// The path stays the file system's bytes: Qt's text would replace bytes
// that are not UTF-8, so the completion works on the bytes themselves.
bool FileNameField::FromText(const std::string& text) {
    // The control shows the value as text; reading that back must not
    // replace the value's bytes by what the text can hold.
    if (!value.empty() && wingui::IsUtf8(text) &&
        QString::fromStdString(text) == wingui::DisplayPath(value)) {
        return IsValid();
    }
    std::filesystem::path path = text.empty() ? std::string("lumo") : text;
    if (path.is_relative() && !defaultFolder_.empty()) {
        path = std::filesystem::path(defaultFolder_) / path;
    }
    const std::string& whole = path.native();
    const std::size_t dot = whole.find_last_of('.');
    const std::size_t slash = whole.find_last_of('/');
    if ((dot == std::string::npos || (slash != std::string::npos && dot < slash) ||
         dot + 1 == whole.size()) &&
        !defaultExtension_.empty()) {
        path += defaultExtension_;
    }
    value = path.lexically_normal().string();
    return IsValid();
}

bool FileNameField::IsValid() const {
    return !value.empty() && value.find_first_of("*?") == std::string::npos;
}

void SteppedField::Step(std::int32_t delta) {
    const int64_t stepped = int64_t{value} + delta;
    if (stepped >= 0 && stepped <= std::numeric_limits<unsigned int>::max()) {
        value = static_cast<unsigned int>(stepped);
    }
}

bool MinutesField::IsValid() const {
    return value <= MaximumMinutes;
}

std::string TimecodeField::ToText() const {
    return Timecode::FromFrame(value, DefaultFrameRate).Format();
}

bool TimecodeField::FromText(const std::string& text) {
    value = Timecode::Parse(text).frameNumber;
    return true;
}

} // namespace vel::lumo
