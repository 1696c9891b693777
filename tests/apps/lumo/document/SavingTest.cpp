#include "apps/lumo/document/LumoDocument.h"
#include "core/File.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace vel::lumo {
namespace {

using testing::ReadWhole;
using testing::TempFolder;

class SavingTest : public ::testing::Test {
protected:
    SavingTest() : document(LumoDocument::New()) {}

    // Gives the document something worth losing and saves it once.
    void SaveOnce() {
        document->GetModel().InsertNewShape(0);
        ASSERT_TRUE(document->Save(target));
        saved = ReadWhole(target);
        AudioClip clip{AudioHeader::Make(8000, SampleFormat::U8, 1),
                       std::vector<uint8_t>(100000, 0x80)};
        document->SetAudio(clip);
        document->Execute(Edit());
    }

    struct Edit : Command {
        Edit() : Command("Edit") {}
        std::unique_ptr<Command> Clone() const override { return std::make_unique<Edit>(); }
        bool Do() override { return true; }
        bool Undo() override { return true; }
    };

    void ExpectUnchanged() {
        EXPECT_EQ(ReadWhole(target), saved);
        EXPECT_EQ(folder.Count(), 1u);
        EXPECT_TRUE(document->IsModified());
        EXPECT_EQ(document->GetPath(), target);
    }

    TempFolder folder;
    std::string target = folder / "pumpkin.glw";
    std::unique_ptr<LumoDocument> document;
    std::string saved;
};

TEST_F(SavingTest, FileSizeLimitKeepsTheOldFileAndTheUnsavedState) {
    SaveOnce();
    const bool ok = testing::WithFileSizeLimit(50000, [&] { return document->Save(target); });
    EXPECT_FALSE(ok);
    EXPECT_NE(document->GetFileError().Code(), 0u);
    ExpectUnchanged();
    EXPECT_TRUE(document->Save(target));
    EXPECT_FALSE(document->IsModified());
}

TEST_F(SavingTest, FolderTargetsAndMissingFoldersFail) {
    SaveOnce();
    std::filesystem::create_directory(folder / "sub");
    EXPECT_FALSE(document->Save(folder / "sub"));
    EXPECT_FALSE(document->Save(folder / "nowhere/pumpkin.glw"));
    EXPECT_EQ(document->GetFileError().Code(), core::File::NotFound);
    EXPECT_EQ(document->GetPath(), target);
    EXPECT_TRUE(document->IsModified());
    EXPECT_EQ(folder.Count(), 2u);
}

TEST_F(SavingTest, LoadingAFolderOrGarbageFails) {
    std::filesystem::create_directory(folder / "sub");
    EXPECT_FALSE(document->Load(folder / "sub"));
    testing::WriteWhole(target, "not a pumpkin at all, just some text");
    EXPECT_FALSE(document->Load(target));
    EXPECT_EQ(document->GetPath(), "");
}

} // namespace
} // namespace vel::lumo
