#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <sys/mount.h>

namespace vel::testing {

// A file system in memory of the given size, mounted on a new folder for the
// object's life: writes beyond its size fail with "No space left on device",
// as on a full disk. Mounting needs the superuser; Mounted says whether it
// was allowed.
class SmallDisk {
public:
    SmallDisk(const std::filesystem::path& folder, size_t bytes) : folder_(folder) {
        std::filesystem::create_directory(folder_);
        const std::string options = "size=" + std::to_string(bytes);
        mounted_ = ::mount("tmpfs", folder_.c_str(), "tmpfs", MS_NOSUID | MS_NODEV | MS_NOEXEC,
                           options.c_str()) == 0;
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }

    // Leaves the disk with no free block: a file at path takes what is left.
    static void Fill(const std::string& path) {
        std::ofstream filler(path, std::ios::binary);
        const std::string block(4096, 'x');
        while (filler.write(block.data(), static_cast<std::streamsize>(block.size()))) {
            filler.flush();
        }
    }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

} // namespace vel::testing
