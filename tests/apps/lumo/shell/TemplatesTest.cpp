#include "apps/lumo/dialogs/FaceTemplates.h"
#include "apps/lumo/panes/CommandIds.h"
#include "apps/lumo/shell/SaveChangesQuestion.h"
#include "apps/lumo/shell/TemplateQuestions.h"
#include "tests/apps/lumo/shell/ShellFixture.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

#include <QDir>
#include <filesystem>
#include <map>

namespace vel::lumo::test {
namespace {

const std::string Starters = LUMO_SOURCE_TEMPLATES;

// Every starter face's bytes and time of change.
std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> StarterFiles() {
    std::map<std::string, std::pair<std::string, std::filesystem::file_time_type>> files;
    for (const auto& entry : std::filesystem::directory_iterator(Starters)) {
        files[entry.path().string()] = {testing::ReadWhole(entry.path().string()),
                                        entry.last_write_time()};
    }
    return files;
}

// The user's data folder is a fresh one for each case.
class TemplatesTest : public ShellTest {
protected:
    TemplatesTest() : previous_(qgetenv("XDG_DATA_HOME")) {
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(data.Path().string()));
    }
    ~TemplatesTest() override { qputenv("XDG_DATA_HOME", previous_); }

    static std::string OwnFace(const std::string& name) {
        return TemplatePath(OwnTemplateFolder(), QString::fromStdString(name)).toStdString();
    }
    // Saves the open document as a template under the name the dialog offers.
    void SaveAsTemplate(std::deque<int> answers) {
        dialogs.answers = std::move(answers);
        window->OnCommand(IdSaveAsTemplate);
        EXPECT_TRUE(dialogs.answers.empty());
    }

    testing::TempFolder data;

private:
    QByteArray previous_;
};

TEST_F(TemplatesTest, NewFromTemplateOpensAnUntitledCopyAndNeverWritesTheFace) {
    const auto before = StarterFiles();
    dialogs.answers = {QDialog::Accepted};
    window->OnCommand(IdNewFromTemplate);
    ASSERT_EQ(dialogs.shown.size(), 1U);
    EXPECT_EQ(dialogs.shown.front(), "New from Template: 0 links");
    LumoDocument* face = window->GetDocument();
    EXPECT_TRUE(face->GetPath().empty());
    EXPECT_FALSE(face->IsModified());
    EXPECT_GT(face->GetModel().GetShapeCount(), 0U);

    Edit(*window);
    EXPECT_EQ(window->windowTitle(), "Untitled* - Vellumar Gourdglowlight");
    window->OnCommand(IdSave);
    EXPECT_EQ(dialogs.fileTitles.size(), 1U) << "saving asks for a new file";
    EXPECT_EQ(StarterFiles(), before);
}

TEST_F(TemplatesTest, NewFromTemplateAsksAboutUnsavedChangesFirst) {
    Edit(*window);
    const std::size_t shapes = window->GetDocument()->GetModel().GetShapeCount();
    dialogs.answers = {SaveChangesQuestion::Cancel};
    window->OnCommand(IdNewFromTemplate);
    EXPECT_EQ(dialogs.shown.size(), 1U) << "Cancel shows no gallery";
    EXPECT_EQ(window->GetDocument()->GetModel().GetShapeCount(), shapes);
    EXPECT_TRUE(window->GetDocument()->IsModified());

    dialogs.answers = {SaveChangesQuestion::DontSave, QDialog::Rejected};
    window->OnCommand(IdNewFromTemplate);
    EXPECT_EQ(window->GetDocument()->GetModel().GetShapeCount(), shapes)
        << "closing the gallery keeps the document";
}

// The face is kept, its sound and keys beyond frame 0 and its fit are not.
TEST_F(TemplatesTest, SaveAsTemplateKeepsTheFaceAndLeavesTheAnimationBehind) {
    ASSERT_TRUE(window->OpenFile(LUMO_EXAMPLE));
    const LumoDocument& example = *window->GetDocument();
    ASSERT_GT(example.GetAudio().Samples().size(), 0U);
    ASSERT_GT(example.GetTimeline().GetHighestAnchorFrame(), 0U);
    SaveAsTemplate({QDialog::Accepted});

    core::FileError error;
    const auto face = LumoDocument::Open(OwnFace("My Face"), error);
    ASSERT_TRUE(face) << "saved where the gallery looks";
    EXPECT_TRUE(face->GetAudio().Samples().empty());
    EXPECT_EQ(face->GetTimeline().GetHighestAnchorFrame(), 0U);
    EXPECT_EQ(face->GetKnobValues(0), example.GetKnobValues(0));
    EXPECT_EQ(face->GetKnobs(), example.GetKnobs());
    EXPECT_EQ(face->EvaluateFrame(0), example.EvaluateFrame(0));
    EXPECT_EQ(face->GetFrameRate(), example.GetFrameRate());
    for (const auto& [key, track] : face->GetTimeline().GetTracks()) {
        EXPECT_EQ(track.GetAnchors().size(), 1U) << key.Text();
    }
    EXPECT_FALSE(window->GetDocument()->IsModified()) << "the open document stays as it was";
    EXPECT_EQ(window->GetDocument()->GetPath(), LUMO_EXAMPLE);
}

TEST_F(TemplatesTest, AnExistingNameIsReplacedOnlyAfterTheQuestion) {
    SaveAsTemplate({QDialog::Accepted});
    const std::string first = testing::ReadWhole(OwnFace("My Face"));
    Edit(*window);

    SaveAsTemplate({QDialog::Accepted, ReplaceTemplateQuestion::Keep});
    EXPECT_EQ(dialogs.shown.back(), "Vellumar Gourdglowlight: 2 links");
    EXPECT_EQ(testing::ReadWhole(OwnFace("My Face")), first);

    SaveAsTemplate({QDialog::Accepted, ReplaceTemplateQuestion::Replace});
    EXPECT_NE(testing::ReadWhole(OwnFace("My Face")), first);
    EXPECT_EQ(QDir(OwnTemplateFolder()).entryList(QDir::Files).size(), 1)
        << "no temporary file is left";
}

// A file where the folder should be stands for any folder that cannot be
// written, which the superuser running the tests would write regardless.
TEST_F(TemplatesTest, AFolderThatCannotBeWrittenFailsWithAMessageAndLosesNothing) {
    std::filesystem::create_directories(data.Path() / "lumo");
    testing::WriteWhole(data / "lumo/templates", "in the way");
    Edit(*window);
    SaveAsTemplate({QDialog::Accepted});
    ASSERT_EQ(dialogs.messages.size(), 1U);
    EXPECT_NE(dialogs.messages.front().find("Error saving the template:"), std::string::npos)
        << dialogs.messages.front();
    EXPECT_EQ(testing::ReadWhole(data / "lumo/templates"), "in the way");
    EXPECT_TRUE(window->GetDocument()->IsModified());
}

} // namespace
} // namespace vel::lumo::test
