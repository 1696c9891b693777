#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace vel::test {

// A fresh folder under /tmp, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        char name[] = "/tmp/lumo-test-XXXXXX";
        if (mkdtemp(name))
            path_ = name;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        if (!path_.empty())
            std::filesystem::remove_all(path_);
    }

    const std::filesystem::path& Path() const { return path_; }
    std::string PathOf(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

} // namespace vel::test
