#include "core/File.h"

#include "core/FileErrorText.h"
#include "core/ReplacingFile.h"
#include "tests/support/Files.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/TempFolder.h"
#include "tests/support/Unprivileged.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vel::core {
namespace {

using testing::ReadWhole;
using testing::TempFolder;
using testing::WriteWhole;

TEST(File, OpenReportsWhyTheSystemRefused) {
    TempFolder folder;
    File file;
    EXPECT_FALSE(file.Open(folder / "missing", File::ReadAccess, File::OpenExisting));
    EXPECT_EQ(file.GetError(), File::NotFound);
    EXPECT_FALSE(file.IsOpen());
    EXPECT_FALSE(file.Open(folder / "no/such/folder", File::WriteAccess, File::CreateAlways));
    EXPECT_EQ(file.GetError(), File::NotFound);

    WriteWhole(folder / "there", "x");
    // A file where a folder should be: nothing can be found beneath it.
    EXPECT_FALSE(file.Open(folder / "there/child", File::ReadAccess, File::OpenExisting));
    EXPECT_EQ(file.GetError(), File::NotFound);
    EXPECT_FALSE(file.Open(folder / "there", File::WriteAccess, File::CreateNew));
    EXPECT_EQ(file.GetError(), File::OtherError);
    EXPECT_TRUE(file.Open(folder / "there", File::ReadAccess, File::OpenExisting));
    EXPECT_EQ(file.GetError(), File::NoError);
}

TEST(File, InvalidArgumentsThrow) {
    TempFolder folder;
    File file;
    EXPECT_THROW(file.Open(folder / "x", 4, File::OpenExisting), std::logic_error);
    EXPECT_THROW(file.Open(folder / "x", File::ReadAccess, 3), std::logic_error);
    try {
        file.Open(folder / "x", 7, File::OpenExisting);
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "invalid file access mode");
    }
}

TEST(File, WritesTruncatesAndReadsBack) {
    TempFolder folder;
    WriteWhole(folder / "f", "old contents that are longer");
    File file;
    ASSERT_TRUE(file.Open(folder / "f", File::WriteAccess, File::CreateAlways));
    EXPECT_EQ(file.Write("hello", 5), 5u);
    EXPECT_TRUE(file.Close());
    EXPECT_EQ(ReadWhole(folder / "f"), "hello");

    ASSERT_TRUE(file.Open(folder / "f", File::ReadAccess, File::OpenExisting));
    EXPECT_EQ(file.Remaining(), 5u);
    char buffer[8] = {};
    EXPECT_EQ(file.Read(buffer, 0), 0u);
    EXPECT_EQ(file.Read(buffer, 2), 2u);
    EXPECT_EQ(file.Remaining(), 3u);
    // Asking for more than is left delivers the rest and reports the end.
    EXPECT_EQ(file.Read(buffer + 2, 6), 3u);
    EXPECT_EQ(file.GetError(), File::EndOfFile);
    EXPECT_EQ(std::string(buffer, 5), "hello");
    file.Close();
    EXPECT_EQ(file.GetError(), File::NoError);
}

TEST(File, MovesMoreThanOneTransferInOrder) {
    TempFolder folder;
    std::string data(File::MaxTransfer + File::MaxTransfer / 8, '\0');
    for (size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<char>(i * 7 + i / 4096);
    }
    File file;
    ASSERT_TRUE(file.Open(folder / "big", File::WriteAccess, File::CreateNew));
    EXPECT_EQ(file.Write(data.data(), data.size()), data.size());
    file.Close();
    std::string back(data.size(), '\0');
    ASSERT_TRUE(file.Open(folder / "big", File::ReadAccess, File::OpenExisting));
    EXPECT_EQ(file.Read(back.data(), back.size()), back.size());
    EXPECT_TRUE(back == data);
}

TEST(File, OnlyRegularFilesOpenForReadingAndNoOpenWaits) {
    TempFolder folder;
    const testing::NamedPipe pipe(folder / "pipe.glw");
    EXPECT_TRUE(pipe.RunsWithoutWaiting([&] {
        File file;
        EXPECT_FALSE(file.Open(pipe.Path(), File::ReadAccess, File::OpenExisting));
        EXPECT_EQ(file.GetError(), File::NotAFile);
        EXPECT_EQ(FileErrorText(file.Failure(), FileOperation::Reading), "not a regular file");
        EXPECT_FALSE(file.IsOpen());
        // Writing to a pipe nobody reads fails instead of waiting for a reader.
        EXPECT_FALSE(file.Open(pipe.Path(), File::WriteAccess, File::OpenExisting));
    }));
    std::filesystem::create_directory(folder / "folder.glw");
    for (const std::string& path : {folder / "folder.glw", std::string("/dev/null")}) {
        File file;
        EXPECT_FALSE(file.Open(path, File::ReadAccess, File::OpenExisting)) << path;
        EXPECT_EQ(file.GetError(), File::NotAFile) << path;
    }
    // A regular file reads as before: the descriptor blocks again.
    WriteWhole(folder / "doc.glw", "contents");
    File file;
    ASSERT_TRUE(file.Open(folder / "doc.glw", File::ReadAccess, File::OpenExisting));
    EXPECT_EQ(::fcntl(file.Descriptor(), F_GETFL) & O_NONBLOCK, 0);
    char bytes[8];
    EXPECT_EQ(file.Read(bytes, sizeof bytes), sizeof bytes);
}

TEST(File, FullDeviceFailsTheWrite) {
    File file;
    ASSERT_TRUE(file.Open("/dev/full", File::WriteAccess, File::OpenExisting));
    EXPECT_EQ(file.Write("abc", 3), 0u);
    EXPECT_EQ(file.GetError(), File::OtherError);
    EXPECT_FALSE(file.Remaining().has_value());
}

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

TEST(FileErrorText, TheSystemsReasonWhereTheCodeSaysLittle) {
    constexpr FileOperation writing = FileOperation::Writing;
    EXPECT_EQ(FileErrorText(FileError::FromErrno(ENOSPC), writing), "No space left on device");
    EXPECT_EQ(FileErrorText(FileError::FromErrno(EFBIG), writing), "File too large");
    EXPECT_EQ(FileErrorText(FileError(File::OtherError, 0), writing),
              "the file could not be written");
    EXPECT_EQ(FileError::FromErrno(ENOTDIR).Code(), File::NotFound);
    EXPECT_EQ(FileErrorText(FileError(File::EndOfFile, 0), FileOperation::Reading),
              "the file is truncated");
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
