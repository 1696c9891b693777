#include "core/ReplacingFile.h"

#include "core/File.h"
#include "core/FileErrorText.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Unprivileged.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vel::core {
namespace {

using testing::ReadWhole;
using testing::TempFolder;
using testing::WriteWhole;

class ReplacingFileTest : public ::testing::Test {
protected:
    bool Replace(const std::string& target, const std::string& bytes) {
        ReplacingFile out;
        return out.Open(target) &&
               out.GetFile().Write(bytes.data(), bytes.size()) == bytes.size() && out.Commit();
    }

    TempFolder folder;
};

TEST_F(ReplacingFileTest, ReplacesTheTargetAndKeepsItsPermissions) {
    const std::string target = folder / "doc.glw";
    EXPECT_TRUE(Replace(target, "first"));
    EXPECT_EQ(ReadWhole(target), "first");
    ::chmod(target.c_str(), 0640);
    EXPECT_TRUE(Replace(target, "second"));
    EXPECT_EQ(ReadWhole(target), "second");
    struct stat info {};
    ::stat(target.c_str(), &info);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(folder.Count(), 1u);
}

TEST_F(ReplacingFileTest, DiscardedAttemptLeavesOldFileAndNoStray) {
    const std::string target = folder / "doc.glw";
    WriteWhole(target, "old");
    {
        ReplacingFile out;
        ASSERT_TRUE(out.Open(target));
        out.GetFile().Write("new", 3);
        // The new contents have no name until they are put in place.
        EXPECT_EQ(folder.Count(), 1u);
    }
    EXPECT_EQ(ReadWhole(target), "old");
    EXPECT_EQ(folder.Count(), 1u);
}

TEST_F(ReplacingFileTest, RefusesFoldersAndMissingFolders) {
    std::filesystem::create_directory(folder / "sub");
    ReplacingFile out;
    EXPECT_FALSE(out.Open(folder / "sub"));
    EXPECT_FALSE(out.Open(folder / "missing/doc.glw"));
    EXPECT_EQ(out.GetError(), File::NotFound);
    EXPECT_EQ(folder.Count(), 1u);
    EXPECT_FALSE(out.Commit());
}

TEST_F(ReplacingFileTest, OnlyRegularFilesAreReplaced) {
    const std::string fifo = folder / "pipe.glw";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    const std::string device = folder / "null.glw";
    const bool madeDevice = ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0;
    for (const std::string& target : {fifo, device}) {
        if (target == device && !madeDevice) {
            continue;
        }
        ReplacingFile out;
        EXPECT_FALSE(out.Open(target)) << target;
        EXPECT_EQ(out.GetError(), File::NotAFile);
        EXPECT_EQ(FileErrorText(out.Failure(), FileOperation::Writing), "not a regular file");
        struct stat info {};
        ASSERT_EQ(::lstat(target.c_str(), &info), 0);
        EXPECT_FALSE(S_ISREG(info.st_mode));
    }
    // The same through a link to the pipe.
    std::filesystem::create_symlink(fifo, folder / "link.glw");
    ReplacingFile out;
    EXPECT_FALSE(out.Open(folder / "link.glw"));
    EXPECT_EQ(folder.Count(), madeDevice ? 3u : 2u);
    if (!madeDevice) {
        GTEST_SKIP() << "no permission to make a device; only the pipe was tried";
    }
}

TEST_F(ReplacingFileTest, ReadOnlyFileIsRefusedEvenToTheSuperuser) {
    WriteWhole(folder / "locked.glw", "old");
    ::chmod((folder / "locked.glw").c_str(), 0444);
    ReplacingFile out;
    EXPECT_FALSE(out.Open(folder / "locked.glw"));
    EXPECT_EQ(out.GetError(), File::AccessDenied);
    EXPECT_EQ(FileErrorText(out.Failure(), FileOperation::Writing), "access denied");
    EXPECT_EQ(ReadWhole(folder / "locked.glw"), "old");
}

TEST_F(ReplacingFileTest, LongestNamesWork) {
    const std::string name = std::string(250, 'n') + ".glw";
    EXPECT_TRUE(Replace(folder / name, "first"));
    EXPECT_TRUE(Replace(folder / name, "second"));
    EXPECT_EQ(ReadWhole(folder / name), "second");
    EXPECT_EQ(folder.Count(), 1u);
}

TEST_F(ReplacingFileTest, UnwritableFolderOrFileFails) {
    std::filesystem::create_directory(folder / "ro");
    WriteWhole(folder / "ro/doc.glw", "old");
    ::chmod((folder / "ro").c_str(), 0555);
    // A read-only file in a writable folder is not replaced either.
    WriteWhole(folder / "locked.glw", "old");
    ::chmod((folder / "locked.glw").c_str(), 0444);
    EXPECT_TRUE(testing::AsUnprivilegedUser(folder.Path(), [&] {
        return !Replace(folder / "ro/doc.glw", "new") && !Replace(folder / "locked.glw", "new");
    }));
    EXPECT_EQ(ReadWhole(folder / "ro/doc.glw"), "old");
    EXPECT_EQ(ReadWhole(folder / "locked.glw"), "old");
    EXPECT_EQ(folder.Count(), 2u);
}

TEST_F(ReplacingFileTest, SavingThroughALinkUpdatesTheLinkedFile) {
    WriteWhole(folder / "real.glw", "old");
    std::filesystem::create_symlink(folder / "real.glw", folder / "link.glw");
    EXPECT_TRUE(Replace(folder / "link.glw", "new"));
    EXPECT_TRUE(std::filesystem::is_symlink(folder / "link.glw"));
    EXPECT_EQ(ReadWhole(folder / "real.glw"), "new");
}

TEST_F(ReplacingFileTest, FileSizeLimitKeepsTheOldFile) {
    const std::string target = folder / "doc.glw";
    WriteWhole(target, "old contents");
    const bool replaced =
        testing::WithFileSizeLimit(4096, [&] { return Replace(target, std::string(10000, 'n')); });
    EXPECT_FALSE(replaced);
    EXPECT_EQ(ReadWhole(target), "old contents");
    EXPECT_EQ(folder.Count(), 1u);
}

} // namespace
} // namespace vel::core
