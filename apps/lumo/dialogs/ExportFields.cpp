#include "apps/lumo/dialogs/ExportFields.h"

#include "apps/lumo/model/Timecode.h"

#include <QDir>
#include <QFileInfo>
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

bool FileNameField::FromText(const std::string& text) {
    QString path = text.empty() ? QStringLiteral("lumo") : QString::fromStdString(text);
    if (QDir::isRelativePath(path) && !defaultFolder_.empty())
        path = QString::fromStdString(defaultFolder_) + QLatin1Char('/') + path;
    if (QFileInfo(path).suffix().isEmpty() && !defaultExtension_.empty())
        path += QString::fromStdString(defaultExtension_);
    value = QDir::cleanPath(path).toStdString();
    return IsValid();
}

bool FileNameField::IsValid() const {
    return !value.empty() && value.find_first_of("*?") == std::string::npos;
}

void SteppedField::Step(std::int32_t delta) {
    const int64_t stepped = int64_t{value} + delta;
    if (stepped >= 0 && stepped <= std::numeric_limits<unsigned int>::max())
        value = static_cast<unsigned int>(stepped);
}

std::string TimecodeField::ToText() const {
    return Timecode::FromFrame(value, DefaultFrameRate).Format();
}

bool TimecodeField::FromText(const std::string& text) {
    value = Timecode::Parse(text).frameNumber;
    return true;
}

} // namespace vel::lumo
