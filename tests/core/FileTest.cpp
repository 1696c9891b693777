#include "core/File.h"

#include "core/FileErrorText.h"
#include "tests/support/Files.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/TempFolder.h"

#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace vel::core {
namespace {

using testing::ReadWhole;
using testing::TempFolder;
using testing::WriteWhole;

TEST(FileTest, OpenReportsWhyTheSystemRefused) {
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

TEST(FileTest, InvalidArgumentsThrow) {
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

TEST(FileTest, WritesTruncatesAndReadsBack) {
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

TEST(FileTest, MovesMoreThanOneTransferInOrder) {
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

TEST(FileTest, OnlyRegularFilesOpenForReadingAndNoOpenWaits) {
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

TEST(FileTest, FullDeviceFailsTheWrite) {
    File file;
    ASSERT_TRUE(file.Open("/dev/full", File::WriteAccess, File::OpenExisting));
    EXPECT_EQ(file.Write("abc", 3), 0u);
    EXPECT_EQ(file.GetError(), File::OtherError);
    EXPECT_FALSE(file.Remaining().has_value());
}

TEST(FileTest, TheErrorTextGivesTheSystemsReasonWhereTheCodeSaysLittle) {
    constexpr FileOperation writing = FileOperation::Writing;
    EXPECT_EQ(FileErrorText(FileError::FromErrno(ENOSPC), writing), "No space left on device");
    EXPECT_EQ(FileErrorText(FileError::FromErrno(EFBIG), writing), "File too large");
    EXPECT_EQ(FileErrorText(FileError(File::OtherError, 0), writing),
              "the file could not be written");
    EXPECT_EQ(FileError::FromErrno(ENOTDIR).Code(), File::NotFound);
    EXPECT_EQ(FileErrorText(FileError(File::EndOfFile, 0), FileOperation::Reading),
              "the file is truncated");
}

} // namespace
} // namespace vel::core
