#include "apps/lumo/recovery/RecoveryStore.h"

#include "apps/lumo/document/LumoDocument.h"
#include "apps/lumo/recovery/DocumentLock.h"
#include "tests/support/Files.h"
#include "tests/support/NamedPipe.h"
#include "tests/support/TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vel::lumo::test {
namespace {

mode_t Mode(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 ? info.st_mode & 07777 : 0;
}

TEST(RecoveryStoreTest, ReadsRecordsOnlyFromRegularFilesOfARecordsSize) {
    const testing::TempFolder folder;
    const RecoveryStore store(folder.Path());
    RecoveryRecord record{"/home/user/face.glw", 1000, ProcessIdentity::Current()};
    const auto empty = LumoDocument::New();
    ASSERT_EQ(store.Write("fine", *empty, record).Code(), 0u);
    EXPECT_TRUE(store.ReadRecord("fine"));
    {
        const vel::testing::NamedPipe pipe(store.RecordPath("pipe"));
        EXPECT_TRUE(pipe.RunsWithoutWaiting([&] { EXPECT_FALSE(store.ReadRecord("pipe")); }));
    }
    std::filesystem::create_symlink("/dev/zero", store.RecordPath("device"));
    EXPECT_FALSE(store.ReadRecord("device"));
    record.document = "/home/" + std::string(1 << 20, 'a');
    ASSERT_EQ(store.Write("large", *empty, record).Code(), 0u);
    EXPECT_FALSE(store.ReadRecord("large")) << "never read whole";
}

TEST(RecoveryStoreTest, CopiesAndLocksAreTheUsersAloneAndNeverWrittenThroughALink) {
    const testing::TempFolder state;
    const testing::TempFolder elsewhere;
    const RecoveryStore store(state / "recovery");
    const RecoveryRecord record{"/home/user/face.glw", 1000, ProcessIdentity::Current()};
    const auto document = LumoDocument::New();
    ASSERT_EQ(store.Write("one", *document, record).Code(), 0u);
    EXPECT_EQ(Mode(store.Folder()), 0700u);
    EXPECT_EQ(Mode(store.CopyPath("one")), 0600u);
    EXPECT_EQ(Mode(store.RecordPath("one")), 0600u);

    std::filesystem::create_symlink(elsewhere / "dangling.glw", store.CopyPath("two"));
    std::ofstream(elsewhere / "record") << "not the program's";
    std::filesystem::create_symlink(elsewhere / "record", store.RecordPath("two"));
    ASSERT_EQ(store.Write("two", *document, record).Code(), 0u);
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "dangling.glw"));
    EXPECT_EQ(testing::ReadWhole(elsewhere / "record"), "not the program's");
    EXPECT_EQ(Mode(store.CopyPath("two")), 0600u) << "a file in the link's place";
    EXPECT_TRUE(store.ReadRecord("two"));

    DocumentLock::Outcome outcome{};
    std::string lockName;
    {
        const auto lock = DocumentLock::Take(store.Folder(), "/home/user/face.glw", outcome);
        ASSERT_TRUE(lock);
        for (const auto& entry : std::filesystem::directory_iterator(store.Folder())) {
            if (entry.path().extension() == ".lock") {
                lockName = entry.path().string();
            }
        }
    }
    EXPECT_EQ(Mode(lockName), 0600u);
    std::filesystem::remove(lockName);
    std::filesystem::create_symlink(elsewhere / "lock", lockName);
    EXPECT_FALSE(DocumentLock::Take(store.Folder(), "/home/user/face.glw", outcome));
    EXPECT_FALSE(std::filesystem::exists(elsewhere / "lock"));

    // Permissions the user chose stay as they are.
    ::chmod(store.Folder().c_str(), 0500);
    store.Write("three", *document, record);
    EXPECT_EQ(Mode(store.Folder()), 0500u);
}

} // namespace
} // namespace vel::lumo::test
