#include "apps/lumo/shell/RecentFiles.h"

#include "wingui/SettingsKey.h"

#include <algorithm>

namespace vel::lumo {

namespace {

QString ValueName(std::size_t index) {
    return QStringLiteral("MRU/%1").arg(index + 1);
}

// Longer than any path the system can open.
constexpr qsizetype MaxPathLength = 4095;

} // namespace

void RecentFiles::Load(const wingui::SettingsKey& settings) {
    entries_.clear();
    while (entries_.size() < Capacity) {
        const std::optional<QString> value = settings.ReadString(ValueName(entries_.size()));
        if (!value || value->isEmpty() || value->size() > MaxPathLength ||
            value->contains(QChar(0)))
            break;
        entries_.push_back(value->toStdString());
    }
}

void RecentFiles::Save(const wingui::SettingsKey& settings) const {
    for (std::size_t i = 0; i < entries_.size(); ++i)
        settings.WriteString(ValueName(i), QString::fromStdString(entries_[i]));
}

void RecentFiles::Add(const std::string& path) {
    const auto found = std::find(entries_.begin(), entries_.end(), path);
    if (found != entries_.end()) {
        std::rotate(entries_.begin(), found, found + 1);
        return;
    }
    if (entries_.size() == Capacity)
        entries_.pop_back();
    entries_.insert(entries_.begin(), path);
}

QString RecentFiles::MenuLabel(std::size_t index) const {
    QString label = QStringLiteral("&%1 ").arg(index + 1);
    if (index < entries_.size())
        label +=
            QString::fromStdString(entries_[index]).replace(QLatin1Char('&'), QStringLiteral("&&"));
    return label;
}

} // namespace vel::lumo
