// Replacing a file where the file system cannot make files without a name:
// the whole program refuses them, and a short hidden name stands in.

#include "core/ReplacingFile.h"
#include "tests/support/Files.h"
#include "tests/support/NoUnnamedFiles.h"
#include "tests/support/TempFolder.h"

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace vel::core {
namespace {

using testing::ReadWhole;
using testing::TempFolder;
using testing::WriteWhole;

class NamedTemporaryTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { refused_ = testing::RefuseUnnamedFiles(); }
    void SetUp() override {
        if (!refused_) {
            GTEST_SKIP() << "the system does not let a test refuse files without a name";
        }
        File unnamed;
        ASSERT_FALSE(unnamed.OpenUnnamed(folder.Path()));
        ASSERT_EQ(unnamed.Failure().System(), EOPNOTSUPP);
    }
    // The names in the folder besides the target's.
    std::vector<std::string> Others(const std::string& target) const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
            if (entry.path() != target) {
                names.push_back(entry.path().filename());
            }
        }
        return names;
    }

    static bool refused_;
    TempFolder folder;
};

bool NamedTemporaryTest::refused_ = false;

TEST_F(NamedTemporaryTest, TheTargetIsReplacedOnlyWhenComplete) {
    const std::string target = folder / "doc.glw";
    WriteWhole(target, "old");
    ::chmod(target.c_str(), 0640);
    ReplacingFile out;
    ASSERT_TRUE(out.Open(target));
    ASSERT_EQ(out.GetFile().Write("new contents", 12), 12u);
    EXPECT_EQ(ReadWhole(target), "old");
    const std::vector<std::string> writing = Others(target);
    ASSERT_EQ(writing.size(), 1u);
    // Hidden, and short enough to fit beside the longest target name.
    EXPECT_EQ(writing[0].front(), '.');
    EXPECT_LE(writing[0].size(), 17u);

    ASSERT_TRUE(out.Commit());
    EXPECT_EQ(ReadWhole(target), "new contents");
    EXPECT_EQ(Others(target), std::vector<std::string>{});
    struct stat info {};
    ASSERT_EQ(::stat(target.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
}

TEST_F(NamedTemporaryTest, FailedOrDiscardedWritesLeaveTheOldFileAndNoTemporary) {
    const std::string target = folder / "doc.glw";
    WriteWhole(target, "old");
    EXPECT_FALSE(testing::WithFileSizeLimit(4, [&] {
        ReplacingFile out;
        return out.Open(target) && out.GetFile().Write("new contents", 12) == 12 && out.Commit();
    }));
    EXPECT_EQ(ReadWhole(target), "old");
    EXPECT_EQ(Others(target), std::vector<std::string>{});

    ReplacingFile out;
    ASSERT_TRUE(out.Open(target));
    out.GetFile().Write("new", 3);
    out.Discard();
    EXPECT_EQ(ReadWhole(target), "old");
    EXPECT_EQ(Others(target), std::vector<std::string>{});
}

TEST_F(NamedTemporaryTest, LongestNamesWork) {
    const std::string target = folder / (std::string(250, 'n') + ".glw");
    for (const std::string contents : {"first", "second"}) {
        ReplacingFile out;
        ASSERT_TRUE(out.Open(target));
        ASSERT_EQ(out.GetFile().Write(contents.data(), contents.size()), contents.size());
        ASSERT_TRUE(out.Commit());
        EXPECT_EQ(ReadWhole(target), contents);
    }
    EXPECT_EQ(Others(target), std::vector<std::string>{});
}

} // namespace
} // namespace vel::core
