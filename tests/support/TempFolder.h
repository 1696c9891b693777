#pragma once

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <string>
#include <system_error>

namespace vel::testing {

// A fresh folder in the system's temporary folder (TMPDIR when it is set),
// removed with everything in it when the test ends, read-only parts included.
class TempFolder {
public:
    // Throws std::system_error when no folder can be made, which fails the test.
    TempFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lumo-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) {
            throw std::system_error(errno, std::generic_category(), "temporary folder");
        }
        path_ = pattern;
    }
    // Never throws: whatever cannot be removed stays behind.
    ~TempFolder() {
        namespace fs = std::filesystem;
        std::error_code ignored;
        // A folder a test made read-only could not be emptied otherwise.
        MakeWritable(path_);
        for (auto entry = fs::recursive_directory_iterator(path_, ignored);
             entry != fs::recursive_directory_iterator(); entry.increment(ignored)) {
            if (!entry->is_symlink(ignored) && entry->is_directory(ignored)) {
                MakeWritable(entry->path());
            }
        }
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string operator/(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }
    // The number of entries directly inside.
    size_t Count() const {
        return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(path_),
                                                 std::filesystem::directory_iterator()));
    }

private:
    static void MakeWritable(const std::filesystem::path& folder) {
        std::error_code ignored;
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    }

    std::filesystem::path path_;
};

} // namespace vel::testing
