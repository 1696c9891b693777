#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <vector>

namespace vel::wingui {
class SettingsKey;
}

namespace vel::lumo {

// The files opened or saved last, most recent first, without duplicates,
// kept in the settings as "MRU/1" to "MRU/4". Paths are the file system's
// bytes, absolute and without "." or ".." parts.
class RecentFiles {
public:
    static constexpr std::size_t Capacity = 4;

    // Reads the entries up to the first missing or unusable one.
    void Load(const wingui::SettingsKey& settings);
    void Save(const wingui::SettingsKey& settings) const;

    // Moves the path to the front, dropping the oldest entry when full; a
    // relative path is taken from the working folder.
    void Add(const std::string& path);
    const std::vector<std::string>& GetEntries() const { return entries_; }

    // The menu text of item index (0-based): its number as the mnemonic, then
    // the path with its ampersands shown as they are.
    QString MenuLabel(std::size_t index) const;

private:
    std::vector<std::string> entries_;
};

} // namespace vel::lumo
