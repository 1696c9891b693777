#include "apps/lumo/shell/RecentFiles.h"

#include "wingui/NativePath.h"
#include "wingui/SettingsKey.h"

#include <algorithm>
#include <filesystem>
#include <optional>
#include <system_error>

namespace vel::lumo {

namespace {

QString ValueName(std::size_t index) {
    return QStringLiteral("MRU/%1").arg(index + 1);
}

// Longer than any path the system can open.
constexpr std::size_t MaxPathLength = 4095;

// A path is kept as text where its bytes are UTF-8, so that the entry
// reads as before; other bytes (a name from a Latin-1 system) are kept as
// they are, since text would replace them and the entry could not reopen.
std::optional<std::string> ReadPath(const wingui::SettingsKey& settings, const QString& name) {
    if (const std::optional<QString> text = settings.ReadString(name)) {
        return text->toStdString();
    }
    if (const std::optional<QByteArray> bytes = settings.ReadBinary(name)) {
        return bytes->toStdString();
    }
    return std::nullopt;
}

void WritePath(const wingui::SettingsKey& settings, const QString& name, const std::string& path) {
    const QByteArray bytes = QByteArray::fromStdString(path);
    const QString text = QString::fromUtf8(bytes);
    if (text.toUtf8() == bytes) {
        settings.WriteString(name, text);
    } else {
        settings.WriteBinary(name, bytes);
    }
}

} // namespace

void RecentFiles::Load(const wingui::SettingsKey& settings) {
    entries_.clear();
    while (entries_.size() < Capacity) {
        const std::optional<std::string> path = ReadPath(settings, ValueName(entries_.size()));
        if (!path || path->empty() || path->size() > MaxPathLength ||
            path->find('\0') != std::string::npos) {
            break;
        }
        entries_.push_back(*path);
    }
}

void RecentFiles::Save(const wingui::SettingsKey& settings) const {
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        WritePath(settings, ValueName(i), entries_[i]);
    }
}

// Absolute, so that the entry opens the same file whatever folder the
// program is started from next time.
void RecentFiles::Add(const std::string& typed) {
    std::error_code noWorkingFolder;
    const std::filesystem::path absolute = std::filesystem::absolute(typed, noWorkingFolder);
    const std::string path =
        (noWorkingFolder ? std::filesystem::path(typed) : absolute).lexically_normal().string();
    const auto found = std::find(entries_.begin(), entries_.end(), path);
    if (found != entries_.end()) {
        std::rotate(entries_.begin(), found, found + 1);
        return;
    }
    if (entries_.size() == Capacity) {
        entries_.pop_back();
    }
    entries_.insert(entries_.begin(), path);
}

QString RecentFiles::MenuLabel(std::size_t index) const {
    QString label = QStringLiteral("&%1 ").arg(index + 1);
    if (index < entries_.size()) {
        label +=
            wingui::DisplayPath(entries_[index]).replace(QLatin1Char('&'), QStringLiteral("&&"));
    }
    return label;
}

} // namespace vel::lumo
